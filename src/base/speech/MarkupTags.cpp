#include "base/speech/MarkupTags.h"

#include "base/speech/Voice.h"

namespace speech {

namespace {

// The ">" that ends the tag opening at offset, searched from `from` on; -1 when there is none or it comes too late.
qsizetype closeOf(QStringView text, qsizetype offset, qsizetype from)
{
    const qsizetype close = text.indexOf(u'>', from);
    if (close < 0)
        return -1;
    qsizetype points = 0;
    for (qsizetype i = offset + 1; i < close && points <= MarkupTags::kLongestTag; ++i) {
        if (!(text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate()))
            ++points;
    }
    return points <= MarkupTags::kLongestTag ? close : -1;
}

} // namespace

bool MarkupTags::opensTag(QStringView text, qsizetype offset)
{
    if (offset < 0 || offset + 1 >= text.size() || text.at(offset) != u'<')
        return false;
    const QChar next = text.at(offset + 1);
    return next.isLetter() || next == u'/' || next == u'!' || next == u'?';
}

qsizetype MarkupTags::tagEnd(QStringView text, qsizetype offset)
{
    if (!opensTag(text, offset))
        return -1;
    // Tags are short: a surrogate pair is two units, so the ">" lies within twice the longest tag.
    const qsizetype close = closeOf(text.first(qMin(text.size(), offset + 2 * kLongestTag + 2)), offset, offset + 1);
    return close < 0 ? -1 : close + 1;
}

qsizetype MarkupTags::firstBrokenTag(QStringView text)
{
    // Tag by tag as the synthesizer reads them: a "<" inside a tag is part of it. Linear in the text.
    for (qsizetype from = 0;;) {
        const qsizetype open = text.indexOf(u'<', from);
        if (open < 0)
            return -1;
        if (!opensTag(text, open)) {
            from = open + 1;
            continue;
        }
        const qsizetype close = closeOf(text, open, open + 1);
        if (close < 0)
            return open;
        from = close + 1;
    }
}

core::ResultOf<bool> MarkupTags::isMarkup(QStringView text, SpeakFlags speakFlags)
{
    if (speakFlags.testFlag(SpeakIsXML)) {
        if (const qsizetype broken = firstBrokenTag(text); broken >= 0)
            return core::Result::failure(
                QStringLiteral("The markup cannot be read: the tag at character %1 (\"%2\") has no \">\" within "
                               "%3 characters.")
                    .arg(broken + 1)
                    .arg(text.mid(broken, 20).toString().simplified())
                    .arg(kLongestTag));
        return true;
    }
    if (speakFlags.testFlag(SpeakIsNotXML))
        return false;
    return opensTag(text, 0) && firstBrokenTag(text) < 0;
}

} // namespace speech
