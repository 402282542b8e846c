#include "base/audiobook/LrcWriter.h"

#include "base/audiobook/SubtitleTime.h"

namespace audiobook {

namespace {

QString lrcTime(qint64 hundredths)
{
    return QStringLiteral("%1:%2.%3")
        .arg(hundredths / 6000, 2, 10, QChar(u'0'))
        .arg(hundredths / 100 % 60, 2, 10, QChar(u'0'))
        .arg(hundredths % 100, 2, 10, QChar(u'0'));
}

} // namespace

QByteArray lrcFile(const CueList& cues)
{
    QString file;
    const auto time = [&](qint64 samples) { return lrcTime(unitsOf(samples, cues.sampleRate, 100)); };
    for (const Cue& cue : cues.cues) {
        file += u'[' + time(cue.start) + u']';
        bool first = true;
        for (const QList<CueWord>& line : cue.lines) {
            for (const CueWord& word : line) {
                if (!first && (word.spaceBefore || &word == &line.first()))
                    file += u' ';
                file += u'<' + time(word.start) + u'>' + word.text;
                first = false;
            }
        }
        file += u'<' + time(cue.end) + QLatin1String(">\n");
    }
    return file.toUtf8();
}

} // namespace audiobook
