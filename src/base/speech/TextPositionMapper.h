#pragma once

#include "base/speech/TextRange.h"

#include <QString>

namespace speech {

// Turns the synthesizer's positions (code points from the start of the text, CR LF two of them) into ranges of
// the text as the caller holds it (UTF-16 code units), snapped to the blank-delimited word that holds them. In
// markup mode tags delimit words as blanks do. Positions usually move forward, so the mapping walks from the
// last position instead of building a table: the text may be megabytes long.
class TextPositionMapper {
public:
    TextPositionMapper(const QString& text, bool markup);

    // UTF-16 offset of a 0-based code point index, clamped to the text.
    int utf16Offset(int codePoint);
    // Code point index of a UTF-16 offset.
    int codePointIndex(int utf16Offset);

    // The word at or after utf16Offset (the next word when the offset lies on a blank or a tag); length 0 at
    // the end of the text.
    TextRange wordAt(int utf16Offset) const;

private:
    bool isDelimiter(int offset) const;
    // The offset just past the tag that opens at offset, -1 when none does.
    int tagEnd(int offset) const;

    QString m_text;
    bool m_markup = false;
    int m_cursorUnits = 0; // a known pair of positions to walk from
    int m_cursorPoints = 0;
};

} // namespace speech
