#include "base/audiobook/TimedText.h"

namespace audiobook {

void fillWordEnds(QList<TimedWord>& words, qint64 streamEnd)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        TimedWord& word = words[i];
        if (word.end >= word.start)
            continue;
        const qint64 next = i + 1 < words.size() ? words.at(i + 1).start : streamEnd;
        word.end = qMax(word.start, next);
    }
}

} // namespace audiobook
