#include "wav/WavSaver.h"
#include "support/MessageRecorder.h"
#include "support/SpeechRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class WavSaverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.startUp();
        rig.controls.tPath->setText(QStringLiteral("/data/audio/"));
        rig.controls.tFile->setText(QStringLiteral("a.wav"));
        rig.controls.tAusgabe->setText(QStringLiteral("Guten Tag"));
        rig.controls.coFormat->setCurrentIndex(rig.controls.coFormat->findText(QStringLiteral("44kHz, 16Bit, Mono")));
        rig.log.clear();
        rig.voice.clearCalls();
    }

    SpeechRig rig;
    QStringList finished; // the errors the run was ended with, "" for success
    wav::WavSaver saver{
        rig.controls, rig.state,
        rig.voice,    rig.setup,
        rig.log,      {[this] { rig.prepare(); }, [this](const core::Result& r) { finished.append(r.error()); }}};
    MessageRecorder boxes;
};

TEST_F(WavSaverTest, SavesThePreparedTextThenReturnsToTheDevice)
{
    rig.controls.cSave->click();
    EXPECT_EQ(rig.voice.callsOf("openFileStream")[0].args, (QVariantList{"/data/audio/a.wav", 34}));
    EXPECT_EQ(rig.voice.callsOf("speak")[0].args, (QVariantList{"GUTEN TAG", 3u}));
    EXPECT_FALSE(rig.voice.outputIsFile());
    EXPECT_EQ(rig.logLines(), QStringList{"Save to /data/audio/a.wav ..."});
    ASSERT_EQ(boxes.messages().size(), 1);
    EXPECT_EQ(boxes.messages()[0].text, QStringLiteral("Datei ''/data/audio/a.wav'' wurde gespeichert!"));
    EXPECT_EQ(boxes.messages()[0].title, QStringLiteral(" HINWEIS:"));
    EXPECT_EQ(rig.controls.tAusgabe->text(), QStringLiteral("Guten Tag"));
    EXPECT_TRUE(finished.isEmpty());

    // A target replaces the fields and ends the run instead of the box.
    rig.state.run.wavTarget = QStringLiteral("/tmp/job.wav");
    EXPECT_TRUE(saver.Save());
    EXPECT_EQ(rig.voice.filePath(), QStringLiteral("/tmp/job.wav"));
    EXPECT_EQ(boxes.messages().size(), 1);
    EXPECT_EQ(finished, QStringList{QString()});
}

TEST_F(WavSaverTest, FailuresAreLoggedHandedToTheRunAndLeaveTheDeviceAsOutput)
{
    for (const char* operation : {"openFileStream", "speak", "closeFileStream"}) {
        rig.log.clear();
        rig.voice.fail(QLatin1String(operation), QStringLiteral("disk full"));
        rig.state.run.wavTarget = QStringLiteral("/tmp/job.wav");
        finished.clear();

        const QString expected = QStringLiteral("Save to WAV ''/tmp/job.wav'' Error: disk full");
        EXPECT_EQ(saver.Save().error(), expected) << operation;
        EXPECT_EQ(rig.logLines().last(), expected);
        EXPECT_FALSE(rig.voice.outputIsFile()) << operation;
        EXPECT_EQ(rig.voice.audioOutputIndex(), 0) << operation;
        EXPECT_EQ(rig.controls.tAusgabe->text(), QStringLiteral("Guten Tag")) << operation;
        EXPECT_TRUE(boxes.messages().isEmpty());
        EXPECT_EQ(finished, QStringList{expected});
        rig.voice.succeed(QLatin1String(operation));
    }
}

TEST_F(WavSaverTest, AutomaticNameKeepsTheTypedName)
{
    rig.controls.tFile->setText(QStringLiteral("Mein.wav"));
    EXPECT_EQ(rig.state.manualFileName, QStringLiteral("Mein.wav"));
    rig.controls.ckAuto->setChecked(true);
    rig.controls.tFile->setText(QStringLiteral("2026-12-05 14-03-07 .wav")); // written by the timer
    EXPECT_EQ(rig.state.manualFileName, QStringLiteral("Mein.wav"));
    rig.controls.ckAuto->setChecked(false);
    EXPECT_EQ(rig.controls.tFile->text(), QStringLiteral("Mein.wav"));
}

TEST_F(WavSaverTest, FocusPutsTheCaretAtTheEndWithNothingSelected)
{
    rig.window.show();
    for (QLineEdit* field : {rig.controls.tFile, rig.controls.tPath}) {
        field->setCursorPosition(0);
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(field, &focus);
        EXPECT_EQ(field->cursorPosition(), field->text().size()) << field->objectName().toStdString();
        EXPECT_FALSE(field->hasSelectedText()) << field->objectName().toStdString();
    }
}

} // namespace
