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
    QList<bool> finished;
    wav::WavSaver saver{rig.controls,
                        rig.state,
                        rig.voice,
                        rig.setup,
                        rig.log,
                        {[this] { rig.controls.tAusgabe->setText(rig.prepare()); }, [this](bool ok) { finished.append(ok); }}};
    MessageRecorder boxes;
};

TEST_F(WavSaverTest, SavesThePreparedTextThenReturnsToTheDevice)
{
    rig.controls.cSave->click();
    EXPECT_EQ(rig.voice.callNames(), (QStringList{"openFileStream", "speak", "waitUntilDone", "setAudioOutput",
                                                  "setOutputFormat", "closeFileStream"}));
    EXPECT_EQ(rig.voice.callsOf("openFileStream")[0].args, (QVariantList{"/data/audio/a.wav", 34}));
    EXPECT_EQ(rig.voice.callsOf("speak")[0].args, (QVariantList{"GUTEN TAG", 3u}));
    EXPECT_EQ(rig.voice.callsOf("waitUntilDone")[0].args, QVariantList{-1});
    EXPECT_FALSE(rig.voice.outputIsFile());
    EXPECT_EQ(rig.logLines(), QStringList{"Save to /data/audio/a.wav ..."});

    ASSERT_EQ(boxes.messages().size(), 1);
    const core::Message& box = boxes.messages()[0];
    EXPECT_EQ(box.text, QStringLiteral("Datei ''/data/audio/a.wav'' wurde gespeichert!"));
    EXPECT_EQ(box.title, QStringLiteral(" HINWEIS:"));
    EXPECT_EQ(box.buttons, core::MessageButtons::Ok);
    EXPECT_EQ(box.icon, core::MessageIcon::None);

    EXPECT_EQ(rig.controls.tAusgabe->text(), QStringLiteral("Guten Tag"));
    EXPECT_FALSE(rig.state.preparedTextFlag);
    EXPECT_TRUE(finished.isEmpty());
}

TEST_F(WavSaverTest, TargetReplacesTheFieldsAndEndsInsteadOfTheBox)
{
    rig.state.run.wavTarget = QStringLiteral("/tmp/job.wav");
    EXPECT_TRUE(saver.Save());
    EXPECT_EQ(rig.voice.filePath(), QStringLiteral("/tmp/job.wav"));
    EXPECT_TRUE(boxes.messages().isEmpty());
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_EQ(rig.controls.tAusgabe->text(), QStringLiteral("Guten Tag"));
}

TEST_F(WavSaverTest, FailuresAreLoggedAndLeaveTheDeviceAsOutput)
{
    const struct {
        const char* operation;
        bool opened;
    } cases[] = {{"openFileStream", false}, {"speak", true}, {"closeFileStream", true}};
    for (const auto& s : cases) {
        rig.log.clear();
        rig.voice.fail(QLatin1String(s.operation), QStringLiteral("disk full"));
        rig.state.run.wavTarget = QStringLiteral("/tmp/job.wav");
        finished.clear();

        EXPECT_FALSE(saver.Save()) << s.operation;
        EXPECT_EQ(rig.logLines().last(), QStringLiteral("Save to WAV ''/tmp/job.wav'' Error: disk full"));
        EXPECT_EQ(rig.logLines().size(), s.opened ? 2 : 1) << s.operation;
        EXPECT_FALSE(rig.voice.outputIsFile()) << s.operation;
        EXPECT_EQ(rig.voice.audioOutputIndex(), 0) << s.operation;
        EXPECT_EQ(rig.controls.tAusgabe->text(), QStringLiteral("Guten Tag")) << s.operation;
        EXPECT_TRUE(boxes.messages().isEmpty());
        EXPECT_EQ(finished, QList<bool>{false});
        rig.voice.succeed(QLatin1String(s.operation));
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
