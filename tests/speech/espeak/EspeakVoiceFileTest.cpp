// The real espeak-ng voice rendering into WAV files: no device and no real time needed.

#include "VoiceTestSupport.h"

#include "speech/espeak/EspeakVoice.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace speechtest;
using speech::EspeakVoice;

namespace {

class EspeakVoiceFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_voice.initializationError().isEmpty()) << m_voice.initializationError().toStdString();
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    WavData render(const QString& text, int format = 22, quint32 flags = speech::SpeakAsync)
    {
        const QString file = path(QStringLiteral("out%1.wav").arg(++m_files));
        const QString error = renderToFile(m_voice, text, file, format, flags);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return readWav(file);
    }

    QTemporaryDir m_dir;
    EspeakVoice m_voice;
    int m_files = 0;
};

const QString Sample = QStringLiteral("Guten Morgen. Wie geht es dir heute? Mir geht es gut, danke.");

TEST_F(EspeakVoiceFile, WordEventsSelectExactlyTheWordsOfAGermanTextWithUmlautsEuroEmojiAndCrLf)
{
    const QString text = QString::fromUtf8("Grüße aus Köln!\r\nDer Preis: 5 € pro Stück 😀 heute.\r\n"
                                           "Ärger über Übermaß? Nein, 2024 z.B. am 3.10. um 12:30 Uhr.");
    EventRecorder events(m_voice);
    render(text);

    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    EXPECT_EQ(events.textsOf("Word", text), words);
    qint64 lastPosition = -1;
    for (const RecordedEvent& e : events.of("Word")) {
        EXPECT_GE(e.position, lastPosition);
        lastPosition = e.position;
    }
    EXPECT_EQ(events.textsOf("Sentence", text),
              (QStringList{QString::fromUtf8("Grüße aus Köln!"), QString::fromUtf8("Der Preis: 5 € pro Stück 😀 heute."),
                           QString::fromUtf8("Ärger über Übermaß?"),
                           QString::fromUtf8("Nein, 2024 z.B. am 3.10. um 12:30 Uhr.")}));
}

TEST_F(EspeakVoiceFile, StreamEventsFrameTheStreamAndCarryItsNumberAndLength)
{
    EventRecorder events(m_voice);
    const WavData wav = render(Sample);
    ASSERT_GE(events.events.size(), 2u);
    EXPECT_EQ(events.events.front().kind, "StartStream");
    EXPECT_EQ(events.events.front().position, 0);
    EXPECT_EQ(events.events.back().kind, "EndStream");
    EXPECT_EQ(events.events.back().position, qint64(wav.samples.size()) * 2);
    for (const RecordedEvent& e : events.events)
        EXPECT_EQ(e.stream, events.events.front().stream);
    EXPECT_FALSE(events.of("Phoneme").empty());
}

TEST_F(EspeakVoiceFile, MarksInMarkupGiveBookmarksInOrderBeforeTheirWords)
{
    const QString text = QStringLiteral("<speak>Eins <mark name=\"erste\"/>zwei <mark name=\"42\"/>drei</speak>");
    EventRecorder events(m_voice);
    render(text, 22, speech::SpeakAsync | speech::SpeakIsXML);

    const auto marks = events.of("Bookmark");
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].text, "erste");
    EXPECT_EQ(marks[0].a, 0);
    EXPECT_EQ(marks[1].text, "42");
    EXPECT_EQ(marks[1].a, 42);
    EXPECT_EQ(events.textsOf("Word", text), (QStringList{"Eins", "zwei", "drei"}));
    const auto words = events.of("Word");
    EXPECT_LE(marks[0].position, words[1].position);
    EXPECT_LE(marks[1].position, words[2].position);
}

class EspeakVoiceFormats : public EspeakVoiceFile, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(EspeakVoiceFormats, FileHasTheFormatsHeaderRateAndTheDurationOfTheNativeRendering)
{
    const auto [code, rate] = GetParam();
    const WavData native = render(Sample, 22);
    const WavData wav = render(Sample, code);
    ASSERT_TRUE(wav.ok);
    EXPECT_EQ(wav.sampleRate, rate);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_NEAR(wav.seconds(), native.seconds(), native.seconds() * 0.01);

    QFile file(path(QStringLiteral("out%1.wav").arg(m_files)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(44);
    EXPECT_EQ(header.left(4), "RIFF");
    EXPECT_EQ(header.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(header.mid(36, 4), "data");
    const auto le32 = [&](int at) { return qFromLittleEndian<quint32>(header.constData() + at); };
    EXPECT_EQ(le32(24), quint32(rate));
    EXPECT_EQ(le32(4), quint32(file.size() - 8));
    EXPECT_EQ(le32(40), quint32(file.size() - 44));
}

INSTANTIATE_TEST_SUITE_P(NineFormats, EspeakVoiceFormats,
                         ::testing::Values(std::pair{6, 8000}, std::pair{10, 11025}, std::pair{14, 12000},
                                           std::pair{18, 16000}, std::pair{22, 22050}, std::pair{26, 24000},
                                           std::pair{30, 32000}, std::pair{34, 44100}, std::pair{38, 48000}));

TEST_F(EspeakVoiceFile, VolumeScalesLinearlyAndRateTenIsThreeTimesFasterMinusTenThreeTimesSlower)
{
    const WavData full = render(Sample);
    m_voice.setVolume(50);
    const WavData half = render(Sample);
    m_voice.setVolume(0);
    const WavData silent = render(Sample);
    // espeak-ng's noise differs a little from one rendering to the next: compare the mean levels.
    ASSERT_GT(full.peak(), 0.1f);
    EXPECT_NEAR(half.rms() / full.rms(), 0.5, 0.03);
    EXPECT_EQ(silent.peak(), 0.0f);
    EXPECT_NEAR(silent.seconds(), full.seconds(), full.seconds() * 0.02);

    m_voice.setRate(10);
    EXPECT_NEAR(full.seconds() / render(Sample).seconds(), 3.0, 3.0 * 0.15);
    m_voice.setRate(-10);
    EXPECT_NEAR(render(Sample).seconds() / full.seconds(), 3.0, 3.0 * 0.15);
}

TEST_F(EspeakVoiceFile, SynchronousSpeakReturnsWhenTheStreamHasEnded)
{
    ASSERT_TRUE(m_voice.openFileStream(path("sync.wav"), 18));
    EXPECT_TRUE(m_voice.speak(Sample, 0));
    EXPECT_TRUE(m_voice.waitUntilDone(0));
    ASSERT_TRUE(m_voice.closeFileStream());
    EXPECT_GT(readWav(path("sync.wav")).seconds(), 2.0);
}

TEST_F(EspeakVoiceFile, AFileNameFlagSpeaksTheFilesContentDecodedFromWindows1252)
{
    QFile file(path("text.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Gr\xf6\xdf"
               "e aus K\xf6ln.");
    file.close();
    EventRecorder events(m_voice);
    render(file.fileName(), 22, speech::SpeakAsync | speech::SpeakIsFilename);
    EXPECT_EQ(events.textsOf("Word", QString::fromUtf8("Größe aus Köln.")),
              (QStringList{QString::fromUtf8("Größe"), "aus", QString::fromUtf8("Köln.")}));
}

TEST_F(EspeakVoiceFile, AnotherVoiceThanTheStreamBeforeGivesVoiceChange)
{
    const QList<speech::Token> voices = m_voice.voices();
    ASSERT_GE(voices.size(), 2);
    EventRecorder events(m_voice);
    render(QStringLiteral("Eins."));
    render(QStringLiteral("Zwei."));
    ASSERT_TRUE(m_voice.setVoice(1));
    render(QStringLiteral("Drei."));

    const auto changes = events.of("VoiceChange");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].text, voices.at(1).description);
    EXPECT_EQ(changes[0].stream, events.of("StartStream").back().stream);
}

TEST_F(EspeakVoiceFile, VoicesListGermanFirstWithUniqueDescriptionsAndNoMbrolaWithoutTheProgram)
{
    const QList<speech::Token> voices = m_voice.voices();
    ASSERT_GT(voices.size(), 10);
    EXPECT_EQ(voices.first().id, "gmw/de");
    QSet<QString> descriptions;
    for (const speech::Token& voice : voices) {
        EXPECT_FALSE(descriptions.contains(voice.description)) << voice.description.toStdString();
        descriptions.insert(voice.description);
    }
    if (QStandardPaths::findExecutable(QStringLiteral("mbrola")).isEmpty()) {
        for (const speech::Token& voice : voices)
            EXPECT_FALSE(voice.id.startsWith("mb/")) << voice.id.toStdString();
    }
}

TEST_F(EspeakVoiceFile, TwoVoicesShareTheSynthesizerWithoutDisturbingEachOther)
{
    EspeakVoice second;
    ASSERT_TRUE(second.initializationError().isEmpty());
    second.setVolume(0);
    ASSERT_TRUE(second.openFileStream(path("second.wav"), 22));
    ASSERT_TRUE(second.speak(Sample, speech::SpeakAsync));
    const WavData first = render(Sample);
    ASSERT_TRUE(second.waitUntilDone(30000));
    ASSERT_TRUE(second.closeFileStream());

    EXPECT_GT(first.peak(), 0.1f);
    const WavData silent = readWav(path("second.wav"));
    EXPECT_EQ(silent.peak(), 0.0f);
    EXPECT_NEAR(silent.seconds(), first.seconds(), first.seconds() * 0.02);
}

} // namespace
