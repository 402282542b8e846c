#include "base/audiobook/LrcWriter.h"
#include "base/audiobook/SrtWriter.h"
#include "base/audiobook/WebVttWriter.h"
#include "base/speech/TextPositionMapper.h"

#include <gtest/gtest.h>

using namespace audiobook;

namespace {

struct SubtitleCase {
    const char* name;
    const char* format; // srt, vtt or lrc
    const char* text;
    bool markup;
    int sampleRate;
    // Start of each word the voice reports (blank- and tag-delimited, as the voice's events are mapped; none: one
    // every 500 samples); ends are the next word's start, the last one's streamEnd, unless given.
    const char* starts;
    qint64 streamEnd;
    const char* expected;
    const char* ends = ""; // -1: unknown
};

TimedText timedText(const SubtitleCase& c)
{
    const QStringList starts = QString(c.starts).split(u' ', Qt::SkipEmptyParts);
    const QStringList ends = QString(c.ends).split(u' ', Qt::SkipEmptyParts);
    TimedText timed{QString::fromUtf8(c.text), c.markup, c.sampleRate, {}};
    speech::TextPositionMapper mapper(timed.text, c.markup);
    for (speech::TextRange word = mapper.wordAt(0); word.length > 0; word = mapper.wordAt(word.end())) {
        const qsizetype i = timed.words.size();
        timed.words.append({word.start, word.length, starts.isEmpty() ? i * 500 : starts.value(i).toLongLong(),
                            ends.value(i, "-1").toLongLong()});
    }
    EXPECT_TRUE(starts.isEmpty() || timed.words.size() == starts.size()) << c.name;
    fillWordEnds(timed.words, c.streamEnd);
    return timed;
}

class SubtitleFiles : public ::testing::TestWithParam<SubtitleCase> {};

TEST_P(SubtitleFiles, AreTimedByTheSpokenWords)
{
    const SubtitleCase& c = GetParam();
    const CueList cues = buildCues(timedText(c));
    const QByteArray file = QByteArray(c.format) == "srt"   ? srtFile(cues)
                            : QByteArray(c.format) == "vtt" ? webVttFile(cues)
                                                            : lrcFile(cues);
    EXPECT_EQ(QString::fromUtf8(file), QString::fromUtf8(c.expected)) << c.name;
}

const char* const kLongSentence = "Es war einmal ein König, der hatte drei Töchter, und die jüngste war so schön, "
                                  "dass die Sonne selbst sich wunderte, sooft sie ihr ins Gesicht schien.";

INSTANTIATE_TEST_SUITE_P(
    Cases, SubtitleFiles,
    ::testing::Values(
        SubtitleCase{"one cue per sentence, blanks collapsed", "srt", "Guten Tag.\r\n\r\n  Wie   geht\tes?", false,
                     1000, "0 400 1000 1300 1500", 2000,
                     "1\r\n00:00:00,000 --> 00:00:01,000\r\nGuten Tag.\r\n\r\n"
                     "2\r\n00:00:01,000 --> 00:00:02,000\r\nWie geht es?\r\n\r\n"},
        SubtitleCase{"a long sentence in cues of two balanced lines of at most 42", "srt", kLongSentence, false, 1000,
                     "", 14000,
                     "1\r\n00:00:00,000 --> 00:00:07,500\r\nEs war einmal ein König, der hatte drei\r\n"
                     "Töchter, und die jüngste war so schön,\r\n\r\n"
                     "2\r\n00:00:07,500 --> 00:00:14,000\r\ndass die Sonne selbst sich wunderte,\r\n"
                     "sooft sie ihr ins Gesicht schien.\r\n\r\n"},
        SubtitleCase{"word tags, escaping, rounding to the nearest millisecond, ties left out", "vtt",
                     "Tom & Jerry <3 a>b.", false, 22050, "0 11 12 33075 33076", 44100,
                     "WEBVTT\n\n00:00:00.000 --> 00:00:02.000\n"
                     "Tom &amp; <00:00:00.001>Jerry <00:00:01.500>&lt;3 a&gt;b.\n"},
        SubtitleCase{"markup: no tags, references decoded and escaped again", "vtt",
                     "<speak>Er sagte <emphasis>laut</emphasis> &amp; klar.</speak>", true, 1000, "0 300 700 900 1000",
                     1500,
                     "WEBVTT\n\n00:00:00.000 --> 00:00:01.500\n"
                     "Er <00:00:00.300>sagte <00:00:00.700>laut <00:00:00.900>&amp; <00:00:01.000>klar.\n"},
        SubtitleCase{"an hour boundary", "vtt", "Eine Stunde vorbei.", false, 1000, "3599500 3599900 3600300", 3601000,
                     "WEBVTT\n\n00:59:59.500 --> 01:00:01.000\nEine <00:59:59.900>Stunde <01:00:00.300>vorbei.\n"},
        SubtitleCase{"minutes go past 59, a tag before each word and at the end", "lrc", "„Eine Stunde“ vorbei. Gut.",
                     false, 44100, "158752062 158769702 158787342 158796162", 158805864,
                     "[59:59.82]<59:59.82>„Eine <60:00.22>Stunde“ <60:00.62>vorbei.<60:00.82>\n"
                     "[60:00.82]<60:00.82>Gut.<60:01.04>\n"},
        SubtitleCase{"cues never overlap, starts never go back", "srt", "Eins zwei. Drei vier.", false, 1000,
                     "0 500 900 800", 2000,
                     "1\r\n00:00:00,000 --> 00:00:00,900\r\nEins zwei.\r\n\r\n"
                     "2\r\n00:00:00,900 --> 00:00:02,000\r\nDrei vier.\r\n\r\n",
                     "400 1200 -1 2000"}));

} // namespace
