#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace audiobook {

// A spoken word: where it lies in the text (UTF-16 offset and length, as the voice's word events give them) and
// when it is heard (sample positions in the output stream). The end may be left unknown (-1) and filled in by
// fillWordEnds, or set from a clause end the synthesizer reports.
struct TimedWord {
    int offset = 0;
    int length = 0;
    qint64 start = 0;
    qint64 end = -1;
};

// The spoken text (after the preparation pass, possibly markup) with its words in text order.
struct TimedText {
    QString text;
    bool markup = false;
    int sampleRate = 0;
    QList<TimedWord> words;
};

// Every word whose end is unknown (before its start) ends where the next word starts; the last one at streamEnd.
void fillWordEnds(QList<TimedWord>& words, qint64 streamEnd);

} // namespace audiobook
