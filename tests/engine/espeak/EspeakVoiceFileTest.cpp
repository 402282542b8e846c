// The real espeak-ng voice rendering into WAV files: no device and no real time needed.

#include "VoiceTestSupport.h"

#include "base/audiobook/BookPlan.h"
#include "engine/espeak/AudioQueue.h"
#include "engine/espeak/DeviceStreamOutput.h"
#include "engine/espeak/EspeakVoice.h"
#include "engine/espeak/SynthesisWorker.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

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

    WavData render(const QString& text, int format = 22, speech::SpeakFlags flags = speech::SpeakAsync)
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

TEST_F(EspeakVoiceFile, NineFormatsHaveTheirRateAndTheDurationOfTheNativeRendering)
{
    const WavData native = render(Sample, 22);
    const int rates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
    for (int code = 6; code <= 38; code += 4) {
        const WavData wav = render(Sample, code);
        EXPECT_EQ(wav.sampleRate, rates[(code - 6) / 4]) << code;
        EXPECT_EQ(wav.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << code;
        EXPECT_NEAR(wav.seconds(), native.seconds(), native.seconds() * 0.01) << code;
    }
}

TEST_F(EspeakVoiceFile, ProgressOfAFileRenderRisesHoldsTheEventsAndCancelStopsIt)
{
    QString text;
    for (int i = 0; i < 1000; ++i)
        text += QStringLiteral("Dies ist der Satz Nummer %1 eines sehr langen Textes. ").arg(i);
    EventRecorder events(m_voice); // one for the whole test: it cannot be disconnected
    for (const bool synchronous : {true, false}) {
        const size_t words = events.of("Word").size(), ends = events.of("EndStream").size();
        QList<int> reports;
        m_voice.setRenderProgress([&](int percent) {
            reports.append(percent);
            QCoreApplication::processEvents(); // as the progress dialog does
            EXPECT_EQ(events.of("Word").size(), words) << "events arrived while the caller still waits";
            return percent < 2;
        });
        const QString file = path(QStringLiteral("cancel%1.wav").arg(synchronous));
        ASSERT_TRUE(m_voice.openFileStream(file, speech::AudioFormat::Mono22kHz));
        if (synchronous)
            EXPECT_EQ(m_voice.speak(text, {}).error(), speech::Voice::cancelledError());
        else
            EXPECT_FALSE(m_voice.speak(text, speech::SpeakAsync) && m_voice.waitUntilDone(-1));
        ASSERT_TRUE(m_voice.closeFileStream());
        QCoreApplication::sendPostedEvents();

        EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()) && !reports.isEmpty() && reports.last() >= 2);
        EXPECT_EQ(events.of("EndStream").size(), ends + 1) << "the held events come after the wait";
        EXPECT_LT(readWav(file).seconds(), 600.0) << "not stopped: the whole text takes about 50 minutes";
    }
}

// Umlauts, euro, emoji and CR LF; a file name whose file is Windows-1252. A lone "<" in markup used to take the
// rest for a tag, a NUL ended the text; a text that begins with "<" but is no markup was dropped.
TEST_F(EspeakVoiceFile, EveryWordAfterALoneLessThanOrANulIsSpokenAndHighlighted)
{
    QFile file(path("text.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                file.write("Gr\xf6\xdf"
                           "e aus K\xf6ln.") &&
                file.flush());
    const std::tuple<QString, speech::SpeakFlags, QString> cases[] = {
        {QString::fromUtf8(
             "Grüße aus Köln!\r\nDer Preis: 5 € pro Stück 😀 heute.\r\nÄrger? Nein, z.B. am 3.10. um 12:30."),
         {},
         {}},
        {file.fileName(), speech::SpeakIsFilename, QString::fromUtf8("Größe aus Köln.")},
        {QStringLiteral("<Ich liebe dich, bis morgen."), {}, {}},
        {QStringLiteral("Preis < 5 Euro und mehr."), speech::SpeakIsXML, {}},
        {QStringLiteral("Eins zwei") + QChar(u'\0') + QStringLiteral("drei vier."), {}, {}},
    };
    EventRecorder events(m_voice);
    for (const auto& [text, flags, spoken] : cases) {
        events.events.clear();
        render(text, 22, speech::SpeakAsync | flags);
        QString blanked = spoken.isEmpty() ? text : spoken;
        blanked.replace(QChar(u'\0'), u' ');
        if (flags & speech::SpeakIsXML)
            blanked.replace(u'<', u' ');
        EXPECT_EQ(events.textsOf("Word", blanked), blanked.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
            << text.toStdString();
    }
}

// The phoneme before a word used to come after that word's event. espeak-ng drops a mark that opens a sentence.
TEST_F(EspeakVoiceFile, EventsOfAStreamArriveInStreamPositionOrder)
{
    EventRecorder events(m_voice);
    m_voice.setAudioLevelEvents(true);
    const QString text = QStringLiteral("<speak>") + Sample +
                         QStringLiteral(" Eins <mark name=\"erste\"/>zwei. <mark name='42'/>Drei</speak>");
    render(text, 18, speech::SpeakAsync | speech::SpeakIsXML);
    ASSERT_GT(events.of("Phoneme").size(), 20u);
    ASSERT_GT(events.of("AudioLevel").size(), 5u);
    for (size_t i = 1; i < events.events.size(); ++i) {
        const RecordedEvent& before = events.events[i - 1];
        const RecordedEvent& e = events.events[i];
        EXPECT_GE(e.position, before.position) << e.kind.toStdString() << " after " << before.kind.toStdString();
    }
    const auto marks = events.of("Bookmark");
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].text, "erste");
    EXPECT_EQ(marks[1].a, 42);
    EXPECT_EQ(marks[1].position, events.of("Word").back().position);
    const QStringList words = events.textsOf("Word", text);
    EXPECT_EQ(words.mid(words.size() - 2), (QStringList{"zwei.", "Drei"}));
}

// espeak-ng opened the file an <audio> element names and ran "sox" on it through the shell: /etc/passwd crashed
// the synthesizer, a FIFO blocked it, a name with "$(...)" ran a command. No file is opened: the text is spoken.
TEST_F(EspeakVoiceFile, MarkupAudioIsNeverOpenedItsTextIsSpokenAndThatIsLoggedOnce)
{
    EventRecorder events(m_voice);
    const QString text = QStringLiteral("<speak><audio src=\"/etc/passwd\">Eins</audio> <audio src=\"/dev/zero\">"
                                        "zwei</audio> drei.</speak>");
    render(text);
    EXPECT_EQ(events.textsOf("Word", text), (QStringList{"Eins", "zwei", "drei."}));
    ASSERT_EQ(events.of("Notice").size(), 1u);
    EXPECT_EQ(events.of("Notice")[0].text, "Markup: audio \"/etc/passwd\" is not played; its text is spoken instead.");
}

// A voice that failed to load was ignored (the voice before spoke); a resampler that could not be made left a
// device stream that never ended.
TEST(SynthesisWorker, AStreamThatCannotBeMadeStillEndsAndSaysWhy)
{
    speech::SynthesisWorker& worker = speech::SynthesisWorker::shared();
    ASSERT_TRUE(worker.initialize());
    for (const auto& [voice, rate, reason] :
         {std::tuple{"gmw/no-such-voice", 16000, "gmw/no-such-voice"}, std::tuple{"gmw/de", -8000, "-8000 Hz"}}) {
        speech::AudioQueue queue;
        queue.reset(1);
        speech::SpeechRequest request;
        request.text = QStringLiteral("Hallo Welt.");
        request.voiceId = QString::fromLatin1(voice);
        request.sampleRate = rate;
        worker.synthesize(request, 1, std::make_shared<std::atomic<quint64>>(0), [&queue](const auto& r) {
            return std::make_unique<speech::DeviceStreamOutput>(queue, r, 1);
        });
        worker.call([] {});
        QStringList items;
        while (std::optional<speech::AudioQueue::Item> item = queue.tryPop())
            items << QString::number(int(item->kind)) + (item->event.text.contains(reason) ? "!" : "");
        // Begin, the error event, End.
        EXPECT_EQ(items, (QStringList{"0", "2!", "3"})) << voice;
    }
}

} // namespace

TEST_F(EspeakVoiceFile, ExtensionPicksTheExportFormatAtTheChosenRateAndTheStreamStaysPcm)
{
    // Opus takes 8, 12, 16, 24 and 48 kHz only. Every file lasts as long as the 16-bit PCM stream its events count.
    const std::tuple<const char*, int, int, int> cases[] = {
        // file, format code, file format, file rate
        {"a.mp3", 34, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100},
        {"a.OGG", 34, SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100},
        {"a.flac", 34, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100},
        {"a.opus", 34, SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000},
        {"b.opus", 18, SF_FORMAT_OGG | SF_FORMAT_OPUS, 16000},
        {"a.txt", 34, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100},
    };
    EventRecorder events(m_voice);
    for (const auto& [name, code, format, fileRate] : cases) {
        ASSERT_EQ(renderToFile(m_voice, Sample, path(name), code), QString()) << name;
        const WavData exported = readWav(path(name));
        EXPECT_EQ(exported.format, format) << name;
        EXPECT_EQ(exported.sampleRate, fileRate) << name;
        const int pcmRate = speech::sampleRateOf(speech::audioFormatOfCode(code).value());
        EXPECT_NEAR(exported.seconds(), double(events.events.back().position) / 2 / pcmRate, 1.0 / pcmRate) << name;
    }
}

TEST_F(EspeakVoiceFile, SubtitleCuesStartWhereTheRendersSentencesStartInTheFile)
{
    // Two streams into one file: the second one's words lie after the first one's audio.
    const QString file = path(QStringLiteral("book.wav"));
    const QString second = QStringLiteral("Das ist der zweite Teil. Er endet hier.");
    EventRecorder events(m_voice);
    ASSERT_TRUE(m_voice.openFileStream(file, speech::AudioFormat::Mono22kHz));
    for (const QString& text : {Sample, second})
        ASSERT_TRUE(m_voice.speak(text, {}));
    (void)m_voice.setAudioOutput(-1); // fails without a device; closing falls back to the default anyway
    ASSERT_TRUE(m_voice.closeFileStream());
    QCoreApplication::sendPostedEvents();

    const speech::FileTimeline timeline = m_voice.fileTimeline();
    EXPECT_EQ(qsizetype(timeline.samples), qsizetype(readWav(file).samples.size()));
    const std::vector<RecordedEvent> sentences = events.of("Sentence"), ends = events.of("EndStream");
    ASSERT_EQ(ends.size(), 2u);
    audiobook::TimedText timed{second, false, 22050, {}};
    for (const speech::FileWord& word : timeline.words) {
        if (word.sample >= ends[0].position / 2)
            timed.words.append({word.offset, word.length, word.sample});
    }
    audiobook::fillWordEnds(timed.words, timeline.samples);
    const QByteArray srt = audiobook::subtitleFiles(file, timed, {QStringLiteral("srt")}).value(0).bytes;
    const QRegularExpression cueStart(QStringLiteral("(\\d\\d):(\\d\\d),(\\d\\d\\d) -->"));
    QList<qint64> cueMs;
    for (auto match = cueStart.globalMatch(QString::fromUtf8(srt)); match.hasNext();) {
        const auto m = match.next();
        cueMs.append(m.captured(1).toLongLong() * 60000 + m.captured(2).toLongLong() * 1000 + m.captured(3).toInt());
    }
    std::vector<qint64> heard; // the second stream's sentences, in milliseconds of the file
    for (const RecordedEvent& s : sentences) {
        if (s.stream == ends[1].stream)
            heard.push_back((ends[0].position / 2 + s.position / 2) * 1000 / 22050);
    }
    ASSERT_EQ(size_t(cueMs.size()), heard.size()) << srt.toStdString();
    for (size_t i = 0; i < heard.size(); ++i)
        EXPECT_NEAR(double(cueMs[qsizetype(i)]), double(heard[i]), 1.0) << i;
}
