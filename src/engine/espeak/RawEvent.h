#pragma once

#include <QString>
#include <QtGlobal>

namespace speech {

// What the synthesizer reports, independent of its headers. sample counts at the synthesizer's own rate from the
// start of the synthesis call; textPosition is 1-based in code points.
struct RawEvent {
    enum class Kind { Word, Mark, Phoneme, End };
    Kind kind = Kind::Word;
    qint64 sample = 0;
    int textPosition = 0;
    int length = 0;
    QString name; // Mark: the mark's name; Phoneme: the phoneme's mnemonic
};

} // namespace speech
