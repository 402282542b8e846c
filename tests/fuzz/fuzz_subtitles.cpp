// The cue builder and the subtitle writers on any text and any timed words: cues stay in order without
// overlapping, fit the layout, and every file holds each cue once with nothing that breaks its format.
// Input: a byte of switches (bit 0 markup, bits 1-2 the sample rate, bits 3-5 the layout, bit 6 fill the ends),
// the text up to the byte 0x1F, then 6 bytes per word: offset after the word before (signed), length, start after
// the word before and duration (signed 16 bit each; a negative duration: unknown).

#include "FuzzInput.h"

#include "base/audiobook/LrcWriter.h"
#include "base/audiobook/SrtWriter.h"
#include "base/audiobook/WebVttWriter.h"

#include <algorithm>

using namespace audiobook;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const quint8 switches = bytes.isEmpty() ? 0 : quint8(bytes.at(0));
    const qsizetype found = bytes.indexOf('\x1f', 1);
    const qsizetype separator = found < 0 ? bytes.size() : found;
    static const int rates[] = {1000, 22050, 44100, 7};
    static const CueLayout layouts[] = {{42, 2}, {42, 1}, {10, 3}, {1, 2}, {5, 1}, {42, 2}, {80, 2}, {3, 4}};
    const CueLayout layout = layouts[(switches >> 3) & 7];
    TimedText timed{QString::fromUtf8(bytes.mid(1, separator - 1)), bool(switches & 1), rates[(switches >> 1) & 3], {}};
    const auto int16At = [&](qsizetype at) { return qint16(quint8(bytes.at(at)) | quint8(bytes.at(at + 1)) << 8); };
    int offset = 0;
    qint64 start = 0;
    for (qsizetype at = separator + 1; at + 6 <= bytes.size(); at += 6) {
        offset += qint8(bytes.at(at));
        start += int16At(at + 2);
        timed.words.append(
            {offset, quint8(bytes.at(at + 1)), start, int16At(at + 4) < 0 ? -1 : start + int16At(at + 4)});
        offset += quint8(bytes.at(at + 1));
    }
    if (switches & 0x40)
        fillWordEnds(timed.words, start + 1000);

    const CueList list = buildCues(timed, layout);
    for (qsizetype i = 0; i < list.cues.size(); ++i) {
        const Cue& cue = list.cues.at(i);
        FUZZ_CHECK(cue.start <= cue.end && (i + 1 == list.cues.size() || cue.end <= list.cues.at(i + 1).start));
        FUZZ_CHECK(!cue.lines.isEmpty() && cue.lines.size() <= layout.lines);
        for (qsizetype line = 0; line < cue.lines.size(); ++line) {
            const QList<CueWord>& words = cue.lines.at(line);
            FUZZ_CHECK(!words.isEmpty() && !words.first().spaceBefore);
            for (const CueWord& word : words)
                FUZZ_CHECK(!word.text.isEmpty() && word.text == word.text.simplified() && word.start >= cue.start);
            // Only a line of one run without blanks may be longer.
            const bool oneRun =
                std::none_of(words.begin() + 1, words.end(), [](const CueWord& w) { return w.spaceBefore; });
            FUZZ_CHECK(cue.lineText(line).toUcs4().size() <= layout.lineLength || oneRun);
        }
    }

    FUZZ_CHECK(QString::fromUtf8(srtFile(list)).count(QLatin1String("\r\n\r\n")) == list.cues.size());
    const QStringList vtt = QString::fromUtf8(webVttFile(list)).split(u'\n');
    FUZZ_CHECK(vtt.first() == QLatin1String("WEBVTT"));
    qsizetype timings = 0;
    for (qsizetype i = 1; i < vtt.size(); ++i) {
        // A timing line follows a blank line; text lines never look like one.
        FUZZ_CHECK(vtt.at(i).isEmpty() || vtt.at(i).contains(QLatin1String("-->")) == vtt.at(i - 1).isEmpty());
        timings += !vtt.at(i).isEmpty() && vtt.at(i - 1).isEmpty();
    }
    FUZZ_CHECK(timings == list.cues.size());
    FUZZ_CHECK(QString::fromUtf8(lrcFile(list)).count(u'\n') == list.cues.size());
    return 0;
}
