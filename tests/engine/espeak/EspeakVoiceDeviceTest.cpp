// The real voice on a real audio device. tools/test.sh starts a PulseAudio server with a null sink for these;
// without one they skip.

#include "VoiceTestSupport.h"

#include "base/speech/SentenceSplitter.h"
#include "engine/espeak/EspeakVoice.h"

#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace speechtest;
using speech::EspeakVoice;

namespace {

constexpr int Bound = 20000; // ms; no wait in these tests is longer

class EspeakVoiceDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QMediaDevices::audioOutputs().isEmpty())
            GTEST_SKIP() << "No audio output: PulseAudio is not reachable (tools/test.sh starts one and sets "
                            "PULSE_SERVER).";
        m_voice = std::make_unique<EspeakVoice>();
        ASSERT_TRUE(m_voice->initializationError().isEmpty());
        m_events = std::make_unique<EventRecorder>(*m_voice);
    }

    void TearDown() override
    {
        if (m_voice) {
            (void)m_voice->resume();
            (void)m_voice->speak(QString(), speech::SpeakPurgeBeforeSpeak);
        }
    }

    bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, Bound); }

    // Index of the first event of kind inside range, from event index from on; -1 when none.
    int firstEventIn(const QString& kind, const speech::TextRange& range, size_t from = 0) const
    {
        for (size_t i = from; i < m_events->events.size(); ++i) {
            const RecordedEvent& e = m_events->events[i];
            if (e.kind == kind && range.contains(e.a))
                return int(i);
        }
        return -1;
    }

    std::unique_ptr<EspeakVoice> m_voice;
    std::unique_ptr<EventRecorder> m_events;
};

QString longSentence(const QString& name)
{
    return QStringLiteral("Das ist der Satz %1 und er ist absichtlich recht lang, damit er eine Weile dauert, "
                          "auch wenn die Stimme schnell spricht.")
        .arg(name);
}

// Setting the voice waited for the running stream, and for ever while it was paused; closing a file stream too.
TEST_F(EspeakVoiceDevice, ControlCallsReturnWhileAStreamPlaysOrIsPaused)
{
    QString text;
    for (int i = 0; i < 40; ++i)
        text += longSentence(QString::number(i)) + u' ';
    const int stream = m_voice->speak(text, speech::SpeakAsync).value();
    ASSERT_TRUE(waitFor([&] { return m_events->has("Word", stream); }));
    const auto ok = [](const core::Result& r) { return r.ok() ? std::string() : r.error().toStdString(); };
    EXPECT_EQ(ok(m_voice->setVoice(1)), "");
    ASSERT_TRUE(m_voice->pause());
    QCoreApplication::sendPostedEvents();
    const size_t heard = m_events->of("Word").size();
    EXPECT_EQ(ok(m_voice->setVoice(0)), "");
    QTemporaryDir dir;
    ASSERT_EQ(ok(m_voice->openFileStream(dir.filePath("x.wav"), speech::AudioFormat::Mono22kHz)), "");
    ASSERT_TRUE(m_voice->setAudioOutput(-1));
    EXPECT_EQ(ok(m_voice->closeFileStream()), "");
    // A pause holds the audio and the events, and refuses a skip.
    EXPECT_FALSE(m_voice->waitUntilDone(1500));
    EXPECT_FALSE(m_voice->skip(speech::SkipUnit::Sentence, 1));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_events->of("Word").size(), heard);

    ASSERT_TRUE(m_voice->resume());
    ASSERT_TRUE(waitFor([&] { return m_events->of("Word").size() > heard; }));
    ASSERT_TRUE(m_voice->speak(QString(), speech::SpeakPurgeBeforeSpeak));
    EXPECT_TRUE(m_voice->waitUntilDone(0));
}

// Two skips in a row moved as one: the second counted from the word heard before the first.
TEST_F(EspeakVoiceDevice, TwoQuickSkipsMoveTwoSentences)
{
    QString text;
    for (const char* name : {"null", "eins", "zwei", "drei", "vier"})
        text += longSentence(QString::fromLatin1(name)) + u' ';
    const QList<speech::TextRange> sentences = speech::SentenceSplitter::split(text);
    const int stream = m_voice->speak(text, speech::SpeakAsync).value();
    ASSERT_TRUE(waitFor([&] { return m_events->has("Word", stream); }));
    EXPECT_EQ(m_voice->skip(speech::SkipUnit::Sentence, 1).value(), 1);
    EXPECT_EQ(m_voice->skip(speech::SkipUnit::Sentence, 1).value(), 1);
    size_t from = m_events->events.size();
    ASSERT_TRUE(waitFor([&] { return firstEventIn("Word", sentences.at(2), from) >= 0; }));
    EXPECT_EQ(firstEventIn("Word", sentences.at(1), from), -1) << "the second skip was lost";
    EXPECT_GE(firstEventIn("Sentence", sentences.at(2), from), 0);

    EXPECT_EQ(m_voice->skip(speech::SkipUnit::Sentence, -1).value(), 1);
    from = m_events->events.size();
    ASSERT_TRUE(waitFor([&] { return firstEventIn("Sentence", sentences.at(1), from) >= 0; }));
    // Past the end: the stream ends, and it is still one stream.
    EXPECT_EQ(m_voice->skip(speech::SkipUnit::Sentence, 10).value(), 4);
    ASSERT_TRUE(waitFor([&] { return m_events->has("EndStream", stream); }));
    EXPECT_EQ(m_events->of("StartStream").size(), 1u);
}

} // namespace
