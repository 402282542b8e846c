#include "speech/MarkupBookmarks.h"

#include <QRegularExpression>

#include <algorithm>

namespace speech {

MarkupBookmarks::MarkupBookmarks(const QString& text, bool markup, int fromOffset)
{
    if (!markup)
        return;
    static const QRegularExpression name(QStringLiteral(R"re(\sname\s*=\s*(?:"([^"]*)"|'([^']*)'))re"));
    // A tag runs to the next ">" within 4096 characters, as the synthesizer reads tags, and a mark inside a
    // comment is no mark. The searches only move forward, so text full of "<mark" without ">" stays linear.
    constexpr qsizetype kLongestTag = 4096;
    qsizetype close = -1;
    qsizetype comment = -1;
    for (qsizetype from = fromOffset;;) {
        const qsizetype open = text.indexOf(QLatin1String("<mark"), from);
        if (open < 0)
            break;
        if (comment < from) {
            comment = text.indexOf(QLatin1String("<!--"), from);
            if (comment < 0)
                comment = text.size(); // none further on
        }
        if (comment < open) {
            const qsizetype commentEnd = text.indexOf(QLatin1String("-->"), comment + 4);
            if (commentEnd < 0)
                break;
            from = commentEnd + 3;
            continue;
        }
        if (close < open)
            close = text.indexOf(u'>', open);
        if (close < 0)
            break;
        if (close - open > kLongestTag) {
            from = open + 1;
            continue;
        }
        const QRegularExpressionMatch match = name.match(QStringView(text).mid(open, close - open));
        if (match.hasMatch() && text.at(open + 5).isSpace())
            m_pending.push_back({int(open), match.hasCaptured(1) ? match.captured(1) : match.captured(2)});
        from = close + 1;
    }
}

QStringList MarkupBookmarks::reported(const QString& name)
{
    const auto it = std::find_if(m_pending.begin(), m_pending.end(), [&](const Mark& m) { return m.name == name; });
    if (it == m_pending.end())
        return {name};
    QStringList names;
    for (auto m = m_pending.begin(); m != std::next(it); ++m)
        names.append(m->name);
    m_pending.erase(m_pending.begin(), std::next(it));
    return names;
}

QStringList MarkupBookmarks::before(int utf16Offset)
{
    QStringList names;
    while (!m_pending.empty() && m_pending.front().offset < utf16Offset) {
        names.append(m_pending.front().name);
        m_pending.pop_front();
    }
    return names;
}

} // namespace speech
