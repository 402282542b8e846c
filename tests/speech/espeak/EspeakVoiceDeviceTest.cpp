// The real voice on a real audio device. tools/test.sh starts a PulseAudio server with a null sink for these;
// without one they skip.

#include "VoiceTestSupport.h"

#include "speech/SentenceSplitter.h"
#include "speech/espeak/EspeakVoice.h"

#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
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
            m_voice->resume();
            m_voice->speak(QString(), speech::SpeakPurgeBeforeSpeak);
        }
    }

    bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, Bound); }

    // Offset of the first Word event of a stream that falls inside range, counting from event index from.
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

TEST_F(EspeakVoiceDevice, OutputsAreQtsDevicesInItsOrderAndMinusOneIsTheDefault)
{
    const QList<QAudioDevice> devices = QMediaDevices::audioOutputs();
    const QList<speech::Token> outputs = m_voice->audioOutputs();
    ASSERT_EQ(outputs.size(), devices.size());
    for (qsizetype i = 0; i < devices.size(); ++i)
        EXPECT_EQ(outputs.at(i).description, devices.at(i).description());
    QString error;
    EXPECT_TRUE(m_voice->setAudioOutput(-1, &error));
    EXPECT_TRUE(m_voice->setAudioOutput(0, &error));
    EXPECT_FALSE(m_voice->setAudioOutput(int(devices.size()), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(EspeakVoiceDevice, ASpokenSentenceReachesTheDeviceWithItsFullLength)
{
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if (parec.isEmpty())
        GTEST_SKIP() << "parec (pulseaudio-utils) is not installed.";
    QTemporaryDir dir;
    const QString text = QStringLiteral("Guten Tag. Dies ist ein Test der Audioausgabe.");
    const WavData rendered = [&] {
        EspeakVoice fileVoice;
        const QString error = renderToFile(fileVoice, text, dir.filePath("expected.wav"), 18);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return readWav(dir.filePath("expected.wav"));
    }();

    QProcess recorder;
    recorder.start(parec,
                   {"-d", "@DEFAULT_MONITOR@", "--latency-msec=20", "--file-format=wav", dir.filePath("recorded.wav")});
    ASSERT_TRUE(recorder.waitForStarted(5000));
    ASSERT_TRUE(m_voice->setOutputFormat(18));
    QString error;
    const int stream = m_voice->speak(text, speech::SpeakAsync, &error);
    ASSERT_GT(stream, 0) << error.toStdString();
    ASSERT_TRUE(m_voice->waitUntilDone(Bound));
    QTest::qWait(200); // the tail of the stream on its way through the server
    recorder.terminate();
    ASSERT_TRUE(recorder.waitForFinished(5000));

    const WavData recorded = readWav(dir.filePath("recorded.wav"));
    ASSERT_TRUE(recorded.ok);
    EXPECT_GT(recorded.peak(), 0.1f);
    EXPECT_NEAR(recorded.audibleSeconds(), rendered.audibleSeconds(), rendered.audibleSeconds() * 0.15);

    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_events->textsOf("Word", text).size(), 8);
    EXPECT_TRUE(m_events->has("EndStream", stream));
}

TEST_F(EspeakVoiceDevice, PurgeDuringALongTextEndsTheStreamAndDiscardsTheRest)
{
    QString text;
    for (int i = 0; i < 50; ++i)
        text += longSentence(QString::number(i)) + u' ';
    const int stream = m_voice->speak(text, speech::SpeakAsync);
    ASSERT_TRUE(waitFor([&] { return m_events->has("Word", stream); }));
    const int next = m_voice->speak(QString(), speech::SpeakAsync | speech::SpeakPurgeBeforeSpeak);
    EXPECT_EQ(next, stream + 1);
    EXPECT_TRUE(m_voice->waitUntilDone(0));
    ASSERT_TRUE(waitFor([&] { return m_events->has("EndStream", stream); }));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_events->events.back().kind, "EndStream");
}

TEST_F(EspeakVoiceDevice, PauseHoldsAudioAndEventsAndResumeContinues)
{
    const QString text = longSentence("eins") + u' ' + longSentence("zwei");
    const int stream = m_voice->speak(text, speech::SpeakAsync);
    ASSERT_TRUE(waitFor([&] { return m_events->has("Word", stream); }));
    ASSERT_TRUE(m_voice->pause());
    QCoreApplication::sendPostedEvents();
    const size_t heard = m_events->of("Word").size();

    EXPECT_FALSE(m_voice->waitUntilDone(1500));
    QString error;
    EXPECT_EQ(m_voice->skip(QStringLiteral("Sentence"), 1, &error), -1);
    EXPECT_FALSE(error.isEmpty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_events->of("Word").size(), heard);

    ASSERT_TRUE(m_voice->resume());
    ASSERT_TRUE(m_voice->waitUntilDone(Bound));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_events->textsOf("Word", text), text.split(u' ', Qt::SkipEmptyParts));
    EXPECT_TRUE(m_events->has("EndStream", stream));
}

TEST_F(EspeakVoiceDevice, SkipMovesForwardAndBackBySentencesOfTheText)
{
    QString text;
    for (const char* name : {"null", "eins", "zwei", "drei", "vier"})
        text += longSentence(QString::fromLatin1(name)) + u' ';
    const QList<speech::TextRange> sentences = speech::SentenceSplitter::split(text);
    ASSERT_EQ(sentences.size(), 5);

    const int stream = m_voice->speak(text, speech::SpeakAsync);
    ASSERT_TRUE(waitFor([&] { return m_events->has("Word", stream); }));
    QString error;
    EXPECT_EQ(m_voice->skip(QStringLiteral("Sentence"), 2, &error), 2) << error.toStdString();
    size_t from = m_events->events.size();
    ASSERT_TRUE(waitFor([&] { return firstEventIn("Word", sentences.at(2), from) >= 0; }));
    EXPECT_EQ(firstEventIn("Word", sentences.at(1), from), -1) << "a skipped sentence was spoken";
    EXPECT_GE(firstEventIn("Sentence", sentences.at(2), from), 0);

    EXPECT_EQ(m_voice->skip(QStringLiteral("Sentence"), -1, &error), 1) << error.toStdString();
    from = m_events->events.size();
    ASSERT_TRUE(waitFor([&] { return firstEventIn("Sentence", sentences.at(1), from) >= 0; }));

    EXPECT_EQ(m_voice->skip(QStringLiteral("Sentence"), 0, &error), 0) << error.toStdString();
    from = m_events->events.size();
    ASSERT_TRUE(waitFor([&] { return firstEventIn("Sentence", sentences.at(1), from) >= 0; }));

    // Past the end: the stream ends, and it is still one stream with rising positions.
    EXPECT_EQ(m_voice->skip(QStringLiteral("Sentence"), 10, &error), 4);
    ASSERT_TRUE(waitFor([&] { return m_events->has("EndStream", stream); }));
    EXPECT_EQ(m_events->of("StartStream").size(), 1u);
    qint64 last = 0;
    for (const RecordedEvent& e : m_events->of("Word")) {
        EXPECT_GE(e.position, last);
        last = e.position;
    }
}

TEST_F(EspeakVoiceDevice, QueuedStreamsPlayOneAfterTheOther)
{
    const int first = m_voice->speak(QStringLiteral("Eins."), speech::SpeakAsync);
    const int second = m_voice->speak(QStringLiteral("Zwei."), speech::SpeakAsync);
    ASSERT_TRUE(m_voice->waitUntilDone(Bound));
    QCoreApplication::sendPostedEvents();
    QStringList order;
    for (const RecordedEvent& e : m_events->events) {
        if (e.kind == "StartStream" || e.kind == "EndStream")
            order.append(QStringLiteral("%1 %2").arg(e.kind).arg(e.stream == first    ? "first"
                                                                 : e.stream == second ? "second"
                                                                                      : "?"));
    }
    EXPECT_EQ(order, (QStringList{"StartStream first", "EndStream first", "StartStream second", "EndStream second"}));
}

// Setting the voice waited for the running stream, and for ever while it was paused; closing a file stream too.
TEST_F(EspeakVoiceDevice, ControlCallsReturnWhileAStreamPlaysOrIsPaused)
{
    QString text;
    for (int i = 0; i < 40; ++i)
        text += longSentence(QString::number(i)) + u' ';
    const int stream = m_voice->speak(text, speech::SpeakAsync);
    ASSERT_TRUE(waitFor([&] { return m_events->has("Word", stream); }));
    QString error;
    EXPECT_TRUE(m_voice->setVoice(1, &error)) << error.toStdString();
    ASSERT_TRUE(m_voice->pause());
    EXPECT_TRUE(m_voice->setVoice(0, &error)) << error.toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(m_voice->openFileStream(dir.filePath("x.wav"), 22, &error)) << error.toStdString();
    ASSERT_TRUE(m_voice->setAudioOutput(-1, &error));
    EXPECT_TRUE(m_voice->closeFileStream(&error)) << error.toStdString();
    ASSERT_TRUE(m_voice->resume());
    EXPECT_EQ(m_voice->skip(QStringLiteral("Sentence"), 1, &error), 1) << error.toStdString();
    m_voice->speak(QString(), speech::SpeakPurgeBeforeSpeak);
    EXPECT_TRUE(m_voice->waitUntilDone(0));
}

// Two skips in a row moved as one: the second counted from the word heard before the first.
TEST_F(EspeakVoiceDevice, TwoQuickSkipsMoveTwoSentences)
{
    QString text;
    for (const char* name : {"null", "eins", "zwei", "drei"})
        text += longSentence(QString::fromLatin1(name)) + u' ';
    const QList<speech::TextRange> sentences = speech::SentenceSplitter::split(text);
    const int stream = m_voice->speak(text, speech::SpeakAsync);
    ASSERT_TRUE(waitFor([&] { return m_events->has("Word", stream); }));
    QString error;
    EXPECT_EQ(m_voice->skip(QStringLiteral("Sentence"), 1, &error), 1) << error.toStdString();
    EXPECT_EQ(m_voice->skip(QStringLiteral("Sentence"), 1, &error), 1) << error.toStdString();
    const size_t from = m_events->events.size();
    ASSERT_TRUE(waitFor([&] { return firstEventIn("Word", sentences.at(2), from) >= 0; }));
    EXPECT_EQ(firstEventIn("Word", sentences.at(1), from), -1) << "the second skip was lost";
}

} // namespace
