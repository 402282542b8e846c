#include "base/audiobook/SrtWriter.h"

#include "base/audiobook/SubtitleTime.h"

namespace audiobook {

QByteArray srtFile(const CueList& cues)
{
    QString file;
    const auto time = [&](qint64 samples) { return clockTime(unitsOf(samples, cues.sampleRate, 1000), u','); };
    for (qsizetype i = 0; i < cues.cues.size(); ++i) {
        const Cue& cue = cues.cues.at(i);
        file += QString::number(i + 1) + QLatin1String("\r\n") + time(cue.start) + QLatin1String(" --> ") +
                time(cue.end) + QLatin1String("\r\n");
        for (qsizetype line = 0; line < cue.lines.size(); ++line)
            file += cue.lineText(line) + QLatin1String("\r\n");
        file += QLatin1String("\r\n");
    }
    return file.toUtf8();
}

} // namespace audiobook
