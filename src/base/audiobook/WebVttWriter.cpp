#include "base/audiobook/WebVttWriter.h"

#include "base/audiobook/SubtitleTime.h"

namespace audiobook {

namespace {

QString escaped(const QString& text)
{
    QString result = text;
    result.replace(u'&', QLatin1String("&amp;"));
    result.replace(u'<', QLatin1String("&lt;"));
    result.replace(u'>', QLatin1String("&gt;"));
    return result;
}

} // namespace

QByteArray webVttFile(const CueList& cues)
{
    QString file = QStringLiteral("WEBVTT\n");
    const auto ms = [&](qint64 samples) { return unitsOf(samples, cues.sampleRate, 1000); };
    for (const Cue& cue : cues.cues) {
        const qint64 start = ms(cue.start);
        const qint64 end = ms(cue.end);
        file += u'\n' + clockTime(start, u'.') + QLatin1String(" --> ") + clockTime(end, u'.') + u'\n';
        qint64 last = start;
        for (const QList<CueWord>& line : cue.lines) {
            for (const CueWord& word : line) {
                if (word.spaceBefore)
                    file += u' ';
                const qint64 at = ms(word.start);
                if (at > last && at < end) {
                    file += u'<' + clockTime(at, u'.') + u'>';
                    last = at;
                }
                file += escaped(word.text);
            }
            file += u'\n';
        }
    }
    return file.toUtf8();
}

} // namespace audiobook
