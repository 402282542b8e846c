#include "support/SpeechRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

const QString kText = QStringLiteral("Guten Tag.\r\nWie geht's?");

// The texts handed to speak(), each followed by "|" and its flags.
QStringList spokenBy(const FakeVoice& voice)
{
    QStringList texts;
    for (const FakeVoice::Call& call : voice.callsOf(QStringLiteral("speak")))
        texts << call.args[0].toString() + QLatin1Char('|') + QString::number(call.args[1].toUInt());
    return texts;
}

class SpeakingControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.startUp();
        c.tAusgabe->setText(kText);
        rig.log.clear();
        rig.voice.clearCalls();
    }

    QStringList spoken() const { return spokenBy(rig.voice); }

    void expectIdle(const QString& text = kText)
    {
        EXPECT_FALSE(c.ckStart->isChecked() || c.ckPause->isChecked() || c.ckPause->isEnabled());
        EXPECT_TRUE(c.frSet->isEnabled() && c.coVoice->isEnabled() && c.cTime->isEnabled());
        EXPECT_FALSE(c.tAusgabe->isLocked());
        EXPECT_FALSE(rig.state.speaking || rig.state.paused);
        EXPECT_EQ(c.tAusgabe->text(), text);
    }

    SpeechRig rig;
    form::Controls& c = rig.controls;
};

TEST_F(SpeakingControlTest, StartSpeaksThePreparedTextAndTheEndOfStreamStops)
{
    c.ckStart->setChecked(true);
    EXPECT_EQ(spoken(), QStringList{QStringLiteral("GUTEN TAG.\r\nWIE GEHT'S?|3")});
    EXPECT_TRUE(c.tAusgabe->isLocked());
    EXPECT_FALSE(c.frSet->isEnabled() || c.cSave->isEnabled());
    EXPECT_TRUE(c.ckPause->isEnabled() && c.cSkip->isEnabled() && rig.state.speaking);
    c.ckStart->setChecked(true); // checking it again starts nothing
    EXPECT_EQ(rig.prepareCount, 1);

    emit rig.voice.startStream(1, 0);
    emit rig.voice.endStream(1, 4096);
    EXPECT_EQ(rig.logLines(), (QStringList{"Speak", "Stop"}));
    EXPECT_EQ(spoken().last(), QStringLiteral("|2")); // the purge sent to an idle voice
    EXPECT_FALSE(c.cSkip->isEnabled());
    EXPECT_TRUE(c.cSave->isEnabled());
    expectIdle();
}

// In a shown window the caret goes to the end.
TEST_F(SpeakingControlTest, StopWhilePausedResumesInsideTheReturnToIdle)
{
    rig.window.show();
    c.tAusgabe->setSelection(0, 0);
    c.ckStart->setChecked(true);
    c.ckPause->setChecked(true);
    EXPECT_TRUE(rig.voice.isPaused());
    EXPECT_FALSE(c.cSkip->isEnabled());
    EXPECT_TRUE(rig.state.speaking && rig.state.paused);

    c.ckStart->setChecked(false);
    EXPECT_EQ(rig.logLines(), (QStringList{"Speak", "Pause", "Stop", "Resume"}));
    EXPECT_FALSE(rig.voice.isPaused());
    // The Resume branch switched to speaking before the idle state was stored.
    EXPECT_TRUE(c.cSkip->isEnabled());
    expectIdle();
    EXPECT_EQ(c.tAusgabe->selectionStart(), kText.size());
}

// An empty box, a failing preparation and a failing speak: each start logs why and returns to idle.
TEST_F(SpeakingControlTest, FailingPreparationIsASpeakErrorAndSpeaksNothing)
{
    const struct {
        const char* text;
        const char* prepareError;
        const char* speakError;
        QStringList log;
        QStringList spoken;
    } cases[] = {
        {"", nullptr, nullptr, {"Speak", "Stop"}, {"|2"}},
        {"Hallo", "text too long", nullptr, {"Speak", "Speak Error: text too long", "Stop"}, {"|2"}},
        {"Hallo",
         nullptr,
         "engine gone",
         {"Speak", "Speak Error: engine gone", "Stop", "Speak Error: engine gone"},
         {"HALLO|3", "|2"}},
    };
    for (const auto& s : cases) {
        SpeechRig r;
        r.startUp();
        r.controls.tAusgabe->setText(QLatin1String(s.text));
        r.log.clear();
        r.prepareError = QLatin1String(s.prepareError);
        if (s.speakError)
            r.voice.fail(QStringLiteral("speak"), QLatin1String(s.speakError));
        r.controls.ckStart->setChecked(true);
        EXPECT_EQ(r.logLines(), s.log) << s.text;
        EXPECT_EQ(r.prepareCount, *s.text ? 1 : 0) << s.text;
        EXPECT_EQ(spokenBy(r.voice), s.spoken) << s.text;
        EXPECT_EQ(r.state.speechError, s.log.size() > 2 ? s.log[1] : QString()) << s.text;
        EXPECT_FALSE(r.controls.ckStart->isChecked() || r.state.speaking || r.controls.tAusgabe->isLocked());
        EXPECT_EQ(r.controls.tAusgabe->text(), QLatin1String(s.text));
    }
}

TEST_F(SpeakingControlTest, ResetWhileSpeakingEndsWithTheUnpreparedText)
{
    c.hsRate->setValue(5);
    c.chkSpFlagIsFilename->setChecked(true);
    c.vsUpDown->setValue(-4);
    c.ckStart->setChecked(true);
    c.cReset->click();
    EXPECT_EQ(c.DebugTxtBox->toPlainText(), QStringLiteral("14:03:07,25  Stop\n")); // emptied before the Stop
    EXPECT_EQ(
        std::tuple(rig.state.speakFlags.toInt(), c.hsRate->value(), c.hsVolume->value(), rig.voice.audioOutputIndex()),
        std::tuple(3u, 0, 100, -1));
    EXPECT_EQ(c.coFormat->currentText(), QStringLiteral("16kHz, 16Bit, Mono"));
    expectIdle();
}

} // namespace
