#include "base/audiobook/MarkupText.h"

namespace audiobook {

namespace {

constexpr qsizetype kLongestTag = 4096;
constexpr qsizetype kLongestReference = 12; // "&#x10FFFF;"

bool opensTag(QChar next)
{
    return next.isLetter() || next == u'/' || next == u'!' || next == u'?' || next == u'_';
}

// The character a reference at text[at] stands for, and its length; 0 when it is none.
qsizetype decodeReference(QStringView text, qsizetype at, char32_t* decoded)
{
    const qsizetype semicolon = text.mid(at, kLongestReference).indexOf(u';');
    if (semicolon < 2)
        return 0;
    const QStringView name = text.mid(at + 1, semicolon - 1);
    static const struct {
        const char* name;
        char32_t character;
    } named[] = {{"amp", U'&'}, {"lt", U'<'}, {"gt", U'>'}, {"quot", U'"'}, {"apos", U'\''}};
    for (const auto& entry : named) {
        if (name == QLatin1String(entry.name)) {
            *decoded = entry.character;
            return semicolon + 1;
        }
    }
    if (name.at(0) != u'#' || name.size() < 2)
        return 0;
    bool ok = false;
    const bool hex = name.at(1) == u'x' || name.at(1) == u'X';
    const uint value = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
    if (!ok || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *decoded = char32_t(value);
    return semicolon + 1;
}

} // namespace

MarkupText::MarkupText(const QString& text, bool markup)
    : m_text(text)
    , m_visible(text)
    , m_markup(markup)
{
    if (!markup)
        return;
    m_tag = QByteArray(text.size(), 0);
    // The search for ">" only moves forward, so a text full of "<a" without one stays linear.
    qsizetype close = -1;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'<' || !opensTag(text.at(i + 1)))
            continue;
        if (close <= i)
            close = text.indexOf(u'>', i + 1);
        if (close < 0)
            break;
        if (close - i > kLongestTag)
            continue;
        for (qsizetype j = i; j <= close; ++j) {
            m_tag[j] = 1;
            m_visible[j] = u' ';
        }
        i = close;
    }
}

QString MarkupText::readable(int from, int to) const
{
    from = qBound(0, from, int(m_text.size()));
    to = qBound(from, to, int(m_text.size()));
    if (!m_markup)
        return m_text.mid(from, to - from).simplified();
    QString result;
    result.reserve(to - from);
    const QStringView text(m_text);
    for (qsizetype i = from; i < to; ++i) {
        if (m_tag.at(i))
            continue;
        char32_t decoded = 0;
        const qsizetype length = text.at(i) == u'&' ? decodeReference(text.first(to), i, &decoded) : 0;
        if (length > 0) {
            result += QString::fromUcs4(&decoded, 1);
            i += length - 1;
        } else {
            result += text.at(i);
        }
    }
    return result.simplified();
}

} // namespace audiobook
