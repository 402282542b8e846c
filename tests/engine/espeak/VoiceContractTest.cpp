// What callers rely on from any voice, run over the fake and the real espeak-ng voice (speaking into a file), so
// the fake the window's tests use cannot drift from the engine.

#include "VoiceTestSupport.h"

#include "engine/espeak/EspeakVoice.h"
#include "support/FakeVoice.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace speechtest;

namespace {

// The fake starts a stream only when the test says so, as the real voice does once synthesis has begun.
struct FakeEngine {
    FakeVoice voice;
    void awaitStart(EventRecorder&, int stream) { emit voice.startStream(stream, 0); }
};

struct EspeakEngine {
    speech::EspeakVoice voice;
    void awaitStart(EventRecorder& events, int stream)
    {
        ASSERT_TRUE(voice.initializationError().isEmpty()) << voice.initializationError().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return events.has(QStringLiteral("StartStream"), stream); }, 10000));
    }
};

template <typename Engine> class VoiceContract : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    Engine m_engine;
    speech::Voice& voice() { return m_engine.voice; }
};

using Engines = ::testing::Types<FakeEngine, EspeakEngine>;
TYPED_TEST_SUITE(VoiceContract, Engines);

TYPED_TEST(VoiceContract, StreamNumbersRiseAndAPurgeEndsTheStreamInProgress)
{
    speech::Voice& voice = this->voice();
    ASSERT_TRUE(voice.openFileStream(this->m_dir.filePath(QStringLiteral("a.wav")), speech::AudioFormat::Mono22kHz));
    EventRecorder events(voice);
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("Dies ist der Satz Nummer %1 eines langen Textes. ").arg(i);

    const core::ResultOf<int> spoken = voice.speak(text, speech::SpeakAsync);
    ASSERT_TRUE(spoken) << spoken.error().toStdString();
    const int stream = spoken.value();
    this->m_engine.awaitStart(events, stream);
    EXPECT_EQ(voice.speak(QString(), speech::SpeakPurgeBeforeSpeak).value(), stream + 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return events.has(QStringLiteral("EndStream"), stream); }, 10000));
    EXPECT_TRUE(voice.waitUntilDone(0));
    EXPECT_TRUE(voice.closeFileStream());
}

TYPED_TEST(VoiceContract, FailuresComeWithAnEnglishDescription)
{
    speech::Voice& voice = this->voice();
    const QString file = this->m_dir.filePath(QStringLiteral("b.wav"));
    const std::pair<const char*, std::function<core::Result()>> failures[] = {
        {"unknown format code", [&] { return speech::audioFormatOfCode(7).result(); }},
        {"close without a file", [&] { return voice.closeFileStream(); }},
        {"voice past the list", [&] { return voice.setVoice(int(voice.voices().size())); }},
        {"markup that cannot be read",
         [&] { return voice.speak(QStringLiteral("<speak>Hallo <Welt"), speech::SpeakIsXML).result(); }},
        {"close after a discard",
         [&] {
             EXPECT_TRUE(voice.openFileStream(file, speech::AudioFormat::Mono22kHz));
             voice.discardFileStream();
             return voice.closeFileStream();
         }},
    };
    for (const auto& [name, call] : failures) {
        const core::Result result = call();
        EXPECT_FALSE(result) << name;
        EXPECT_FALSE(result.error().isEmpty()) << name;
    }
    EXPECT_FALSE(QFile::exists(file)) << "a discarded render left a file";
}

TYPED_TEST(VoiceContract, RateAndVolumeAreClampedToTheirRanges)
{
    speech::Voice& voice = this->voice();
    const std::tuple<int, int, int> cases[] = {{25, 10, 25}, {-11, -10, 0}, {3, 3, 3}, {101, 10, 100}};
    for (const auto& [set, rate, volume] : cases) {
        voice.setRate(set);
        voice.setVolume(set);
        EXPECT_EQ(voice.rate(), rate) << set;
        EXPECT_EQ(voice.volume(), volume) << set;
    }
}

} // namespace
