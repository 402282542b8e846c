#include "support/SpeechRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

#include <gtest/gtest.h>

namespace {

class EngineEventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.startUp();
        rig.controls.ckEvents->setChecked(true);
        rig.log.clear();
    }

    SpeechRig rig;
};

TEST_F(EngineEventsTest, EveryEventWritesItsLine)
{
    FakeVoice& v = rig.voice;
    const struct {
        std::function<void()> fire;
        const char* line;
    } cases[] = {
        {[&] { emit v.audioLevel(1, 640, 37); }, "AudioLevel, StreamNumber=1, StreamPosition=640, AudioLevel=37"},
        {[&] { emit v.bookmark(2, 9000000000, QStringLiteral("b1"), 7); },
         "BookMark, StreamNumber=2, StreamPosition=9000000000, Bookmark=b1, BookmarkId=7"},
        {[&] { emit v.enginePrivate(1, 0, -5); }, "EnginePrivate, StreamNumber=1, StreamPosition=0, lParam=-5"},
        {[&] { emit v.phoneme(3, 12, 80, 14, 0, 22); },
         "Phoneme, StreamNumber=3, StreamPosition=12, NextPhoneId=14, Feature=0, CurrentPhoneId=22"},
        {[&] { emit v.sentence(1, 44, 12, 30); }, "Sentence, StreamNum=1, StreamPos=44, Pos=12, Length=30"},
        {[&] { emit v.word(1, 44, 0, 5); }, "Word, StreamNum=1, StreamPos=44, Pos=0, Length=5"},
        {[&] { emit v.voiceChange(1, 0, QStringLiteral("Elsewhere")); },
         "VoiceChange, StreamNum=1, StreamPos=0, Token=Elsewhere"},
        {[&] { emit v.startStream(4, 0); }, "StartStream, StreamNum=4, StreamPos=0"},
        {[&] { emit v.endStream(4, 88200); }, "EndStream, StreamNum=4, StreamPos=88200"},
    };
    rig.controls.tAusgabe->setText(QStringLiteral("Hallo Welt"));
    for (const auto& c : cases) {
        rig.log.clear();
        c.fire();
        EXPECT_EQ(rig.log.text().section(QStringLiteral("\r\n"), 0, 0),
                  QStringLiteral("14:03:07,25    Event: ") + QLatin1String(c.line));
    }
    // A voice change selects the entry with exactly its text.
    EXPECT_EQ(rig.controls.coVoice->currentIndex(), 0);
    emit v.voiceChange(1, 0, QStringLiteral("English"));
    EXPECT_EQ(rig.voice.voiceIndex(), 1);
}

// Also without the events shown, as a notice of the voice is; the file name flag leaves the selection alone.
TEST_F(EngineEventsTest, WordSelectsUtf16OffsetsOfTheExactText)
{
    rig.controls.ckEvents->setChecked(false);
    // "Hallo" CR LF "Welt " and an emoji of two UTF-16 units before "schön".
    rig.controls.tAusgabe->setText(QStringLiteral("Hallo\r\nWelt \U0001F600 schön."));
    const struct {
        int position;
        int length;
        const char* selected;
    } cases[] = {{0, 5, "Hallo"}, {7, 4, "Welt"}, {12, 2, "\U0001F600"}, {15, 5, "schön"}};
    for (const auto& c : cases) {
        emit rig.voice.word(1, 0, c.position, c.length);
        EXPECT_EQ(rig.controls.tAusgabe->editor()->textCursor().selectedText(), QString::fromUtf8(c.selected))
            << c.position;
    }
    EXPECT_TRUE(rig.log.text().isEmpty()) << "event lines although Show events is off";
    emit rig.voice.word(1, 0, 40, 3); // past the end of the text
    EXPECT_EQ(rig.logLines().last(), QStringLiteral("Failed to high light words. This may be caused by too many "
                                                    "charaters in the main text box."));
    emit rig.voice.notice(1, 0, QStringLiteral("Markup: audio \"a.wav\" is not played."));
    EXPECT_EQ(rig.logLines().last(), QStringLiteral("Markup: audio \"a.wav\" is not played."));
    rig.controls.chkSpFlagIsFilename->setChecked(true);
    rig.controls.tAusgabe->setSelection(2, 1);
    emit rig.voice.word(1, 0, 7, 4);
    EXPECT_EQ(rig.controls.tAusgabe->selectionStart(), 2);
}

// The sound server going away ended the stream like a normal end: no error, the dead device still listed.
TEST_F(EngineEventsTest, AStreamThatFailsWhileSpokenIsASpeakErrorAndTheDeviceListIsRefreshed)
{
    form::Controls& c = rig.controls;
    c.tAusgabe->setText(QStringLiteral("Hallo Welt"));
    c.ckStart->setChecked(true);
    emit rig.voice.streamError(1, 640, QStringLiteral("The sound server went away."));
    EXPECT_EQ(rig.logLines(), (QStringList{"Speak", "Speak Error: The sound server went away.", "Stop"}));
    EXPECT_EQ(rig.state.speechError, QStringLiteral("Speak Error: The sound server went away."));
    EXPECT_FALSE(c.ckStart->isChecked() || rig.state.speaking);
    EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("Hallo Welt"));

    for (const QString& left : {QStringLiteral("Other"), speech::kNoAudioOutput}) {
        rig.voice.outputTokens = {};
        if (left != speech::kNoAudioOutput)
            rig.voice.outputTokens.append({QStringLiteral("b"), left});
        emit rig.voice.audioOutputsChanged();
        EXPECT_EQ(c.coDevice->count(), 1);
        EXPECT_EQ(c.coDevice->currentText(), left);
        EXPECT_EQ(c.coDevice->isEnabled(), left != speech::kNoAudioOutput);
    }
}

} // namespace
