#include "gui/wav/WavSaver.h"
#include "base/core/SafeWrite.h"
#include "support/FakeClock.h"
#include "support/MessageRecorder.h"
#include "support/SpeechRig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
    wav::WavSaver saver{app::wavSaverWidgets(rig.controls),
                        app::wavSaverState(rig.state),
                        rig.voice,
                        {[this]() -> core::Result {
                             const core::ResultOf<QString> prepared = rig.prepare();
                             if (prepared)
                                 rig.controls.tAusgabe->setText(prepared.value());
                             return prepared.result();
                         },
                         [this](const core::Result& r) { finished.append(r.error()); },
                         [this] { rig.setup.deviceSelected(); },
                         [this](const QString& text, const QString& error) { rig.log.AppendLog(text, error); },
                         {}}};
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
}

TEST_F(WavSaverTest, FailuresAreLoggedHandedToTheRunAndLeaveTheDeviceAsOutput)
{
    rig.state.run.wavTarget = QStringLiteral("/tmp/job.wav");
    const QString expected = QStringLiteral("Save to WAV ''/tmp/job.wav'' Error: disk full");
    for (const QString operation : {"prepare", "openFileStream", "speak", "closeFileStream"}) {
        rig.log.clear();
        rig.voice.clearCalls();
        rig.voice.fail(operation, QStringLiteral("disk full"));
        rig.prepareError = operation == "prepare" ? QStringLiteral("disk full") : QString();
        finished.clear();

        EXPECT_EQ(saver.Save().error(), expected) << operation.toStdString();
        const bool opened = operation == "speak" || operation == "closeFileStream";
        EXPECT_EQ(rig.logLines().last(), expected);
        EXPECT_EQ(rig.logLines().size(), opened ? 2 : 1) << operation.toStdString();
        EXPECT_FALSE(rig.voice.outputIsFile());
        EXPECT_EQ(rig.voice.audioOutputIndex(), 0);
        EXPECT_EQ(rig.controls.tAusgabe->text(), QStringLiteral("Guten Tag"));
        EXPECT_TRUE(boxes.messages().isEmpty());
        EXPECT_EQ(finished, QStringList{expected});
        // A failed render must not be finished into a file that replaces an older one.
        EXPECT_EQ(rig.voice.countOf("discardFileStream"), operation == "speak" ? 1 : 0) << operation.toStdString();
        rig.voice.succeed(operation);
    }
}

TEST_F(WavSaverTest, LongSaveShowsItsProgressCancelDiscardsTheRenderAndTheBoxAfterTakesInput)
{
    QTemporaryDir dir;
    rig.controls.tPath->setText(dir.path() + '/');
    FakeClock clock;
    saver.setProgressClock(clock);
    rig.voice.renderSteps = {20, 60, 90};
    rig.voice.onCall = [&](const FakeVoice::Call& call) { // the real voice's events come queued, after the wait
        if (call.name == QLatin1String("closeFileStream"))
            QMetaObject::invokeMethod(
                &rig.voice, [&] { emit rig.voice.endStream(1, 9); }, Qt::QueuedConnection);
    };
    QTimer tick; // stands for the window's clock timer: it must wait for the save
    tick.start(0);
    QLineEdit box; // stands for the confirmation box, which must take input once the progress is gone
    const core::MessageHandler recorder = core::setMessageHandler([&](const core::Message&) {
        QTest::keyClick(&box, Qt::Key_A);
        return core::MessageAnswer::Ok;
    });
    rig.controls.ckSubtitles->setChecked(true);
    const QString subtitles = dir.filePath(QStringLiteral("a.srt"));
    for (const bool cancel : {false, true}) {
        if (cancel) { // an older file's subtitles stay with it
            ASSERT_TRUE(core::replaceFileContents(subtitles, "1\r\n"));
        }
        QList<int> shown; // the dialog's percentage before each step
        rig.voice.onRenderStep = [&](int) {
            clock.advanceMs(300);
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->objectName() == QLatin1String("saveProgress") && top->isVisible() && top->isModal()) {
                    shown.append(top->findChild<QProgressBar*>()->value());
                    if (cancel)
                        top->findChild<QPushButton*>()->click();
                }
            }
        };
        QSignalSpy ticks(&tick, &QTimer::timeout);

        EXPECT_EQ(saver.Save().ok(), !cancel);
        EXPECT_TRUE(ticks.isEmpty()) << "a timer ran during the save";
        EXPECT_EQ(shown, QList<int>{60}) << "shown from half a second on, not before";
        // The voice renders into a file of its own until the close: discarding it keeps any older file at path.
        EXPECT_EQ(rig.voice.callsOf("discardFileStream").size(), cancel ? 1 : 0);
        EXPECT_EQ(QFileInfo(subtitles).size(), cancel ? 3 : 0) << "subtitles are written after the audio only";
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("a.vtt"))));
        EXPECT_EQ(rig.logLines().last().endsWith("Error: The render was cancelled by the user."), cancel);
        QCoreApplication::sendPostedEvents(); // whatever the save left queued
        EXPECT_TRUE(rig.controls.ckStart->isEnabled() && rig.controls.cSave->isEnabled()) << "a new start is possible";
    }
    core::setMessageHandler(recorder);
    EXPECT_EQ(box.text(), QStringLiteral("a")) << "one confirmation, not of the cancelled save, taking input";
}

} // namespace
