#include "support/SpeechRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
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
    EXPECT_EQ(rig.state.speakFlags, 3u);
    EXPECT_EQ(c.hsRate->value(), 0);
    EXPECT_EQ(c.hsVolume->value(), 100);
    EXPECT_EQ(c.lSkip->text(), QStringLiteral("0"));
    EXPECT_EQ(c.coFormat->currentText(), QStringLiteral("16kHz, 16Bit, Mono"));
    EXPECT_EQ(rig.voice.audioOutputIndex(), -1);
    expectIdle();
}

TEST_F(SpeakingControlTest, SkipTakesTheNegatedBarValueAndLogsFailures)
{
    for (const int bar : {-3, 5, 0}) {
        rig.voice.clearCalls();
        c.vsUpDown->setValue(bar);
        rig.speaking.Skip();
        EXPECT_EQ(rig.voice.callsOf(QStringLiteral("skip")).value(0).args, (QVariantList{"Sentence", -bar}));
    }
    rig.log.clear();
    rig.voice.fail(QStringLiteral("skip"), QStringLiteral("paused"));
    rig.speaking.Skip();
    EXPECT_EQ(rig.logLines(), (QStringList{"Skip", "Skip Error: paused"}));
}

TEST_F(SpeakingControlTest, SpeakFlagBoxesChangeOnlyTheirBits)
{
    const std::tuple<QCheckBox*, Qt::CheckState, quint32> cases[] = {
        {c.chkSpFlagIsFilename, Qt::Checked, 3 | 4},
        {c.chkSpFlagNLPSpeakPunc, Qt::PartiallyChecked, 3 | 64}, // greyed counts as checked
        {c.chkSpFlagPersistXML, Qt::Checked, 3 | 32},
        {c.chkSpFlagAync, Qt::Unchecked, 2},
        {c.chkSpFlagPurgeBeforeSpeak, Qt::Unchecked, 1},
        {c.chkSpFlagIsXML, Qt::Checked, 3 | 8},
        {c.chkSpFlagIsXML, Qt::Unchecked, 3 | 16},
    };
    for (const auto& [box, state, flags] : cases) {
        box->setTristate(true);
        box->setCheckState(state == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
        rig.state.speakFlags = 3;
        box->setCheckState(state);
        EXPECT_EQ(rig.state.speakFlags, flags) << box->objectName().toStdString();
    }
}

TEST_F(SpeakingControlTest, StartAndSaveNeedTextBeyondBlanks)
{
    for (const auto& [text, enabled] : {std::pair{"", false}, {"   ", false}, {" a ", true}, {"\r\n", true}}) {
        c.tAusgabe->setText(QString::fromUtf8(text));
        EXPECT_EQ(c.ckStart->isEnabled() && c.cSave->isEnabled(), enabled) << text;
    }
}

TEST(SpeakingControl, UnattendedRunUnloadsOnceWhenSpeakingEnds)
{
    // script run, command line run, hide, close -> unloads
    for (const auto& [script, commandLine, hide, close, unloads] :
         {std::tuple{true, false, 0, 1, 1}, {false, true, 1, 0, 1}, {false, true, 0, 0, 0}, {false, false, 1, 1, 0}}) {
        SpeechRig rig;
        rig.startUp();
        rig.state.run.scriptRun = script;
        rig.state.run.commandLineTextRun = commandLine;
        rig.state.run.hide = hide;
        rig.state.run.close = close;
        rig.controls.tAusgabe->setText(QStringLiteral("Hallo"));
        rig.controls.ckStart->setChecked(true);
        emit rig.voice.endStream(1, 0);
        // Once, although the return to idle runs twice (the Stop inside it returns to idle as well).
        EXPECT_EQ(rig.unloadCount, unloads);
    }
}

} // namespace
