#include "base/speech/TextPositionMapper.h"

#include "base/speech/MarkupTags.h"

namespace speech {

TextPositionMapper::TextPositionMapper(const QString& text, bool markup)
    : m_text(text)
    , m_markup(markup)
{
}

int TextPositionMapper::utf16Offset(int codePoint)
{
    const int size = int(m_text.size());
    if (codePoint <= 0)
        return 0;
    if (codePoint < m_cursorPoints / 2) {
        m_cursorUnits = 0;
        m_cursorPoints = 0;
    }
    while (m_cursorPoints > codePoint && m_cursorUnits > 0) {
        --m_cursorUnits;
        if (m_cursorUnits > 0 && m_text.at(m_cursorUnits).isLowSurrogate() &&
            m_text.at(m_cursorUnits - 1).isHighSurrogate())
            --m_cursorUnits;
        --m_cursorPoints;
    }
    while (m_cursorPoints < codePoint && m_cursorUnits < size) {
        const bool pair = m_text.at(m_cursorUnits).isHighSurrogate() && m_cursorUnits + 1 < size &&
                          m_text.at(m_cursorUnits + 1).isLowSurrogate();
        m_cursorUnits += pair ? 2 : 1;
        ++m_cursorPoints;
    }
    return m_cursorUnits;
}

int TextPositionMapper::codePointIndex(int utf16Offset)
{
    int points = 0;
    const int end = qBound(0, utf16Offset, int(m_text.size()));
    for (int i = 0; i < end; ++i) {
        if (!(m_text.at(i).isLowSurrogate() && i > 0 && m_text.at(i - 1).isHighSurrogate()))
            ++points;
    }
    return points;
}

bool TextPositionMapper::isDelimiter(int offset) const
{
    const QChar c = m_text.at(offset);
    return c.isSpace() || (m_markup && (c == u'<' || c == u'>'));
}

int TextPositionMapper::tagEnd(int offset) const
{
    // "< 5" or "<5" is text and must not swallow the words after it.
    return m_markup ? int(MarkupTags::tagEnd(m_text, offset)) : -1;
}

TextRange TextPositionMapper::wordAt(int utf16Offset) const
{
    const int size = int(m_text.size());
    int at = qBound(0, utf16Offset, size);
    if (m_markup) {
        // Inside a tag: move past its end. Tags are short, so the look back is bounded.
        constexpr int kLookBack = 2 * MarkupTags::kLongestTag + 2;
        for (int i = qMin(at, size - 1), steps = 0; i >= 0 && steps < kLookBack; --i, ++steps) {
            if (m_text.at(i) == u'>' && i < at)
                break;
            if (m_text.at(i) == u'<') {
                at = qMax(at, tagEnd(i));
                break;
            }
        }
    }
    while (at < size) {
        const int end = tagEnd(at);
        if (end > 0)
            at = end;
        else if (isDelimiter(at))
            ++at;
        else
            break;
    }
    if (at >= size)
        return {size, 0};
    int start = at;
    while (start > 0 && !isDelimiter(start - 1))
        --start;
    int end = at;
    while (end < size && !isDelimiter(end))
        ++end;
    return {start, end - start};
}

} // namespace speech
