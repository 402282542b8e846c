#include "base/speech/MarkupBookmarks.h"

#include "base/speech/MarkupTags.h"

#include <QRegularExpression>

#include <algorithm>

namespace speech {

MarkupBookmarks::MarkupBookmarks(const QString& text, bool markup, int fromOffset)
{
    if (!markup)
        return;
    static const QRegularExpression name(QStringLiteral(R"re(\sname\s*=\s*(?:"([^"]*)"|'([^']*)'))re"));
    // Tag by tag as the synthesizer reads them, so a mark inside a comment or another tag is no mark. Each
    // character is looked at a bounded number of times: text full of "<mark" stays linear.
    for (qsizetype from = 0;;) {
        const qsizetype open = text.indexOf(u'<', from);
        if (open < 0)
            break;
        if (!MarkupTags::opensTag(text, open)) {
            from = open + 1;
            continue;
        }
        const qsizetype end = MarkupTags::tagEnd(text, open);
        if (end < 0)
            break; // the synthesizer reads no further
        const QStringView tag = QStringView(text).mid(open, end - 1 - open);
        if (open >= fromOffset && tag.size() > 5 && tag.mid(1, 4) == u"mark" && tag.at(5).isSpace()) {
            const QRegularExpressionMatch match = name.match(tag);
            if (match.hasMatch())
                m_pending.push_back({int(open), match.hasCaptured(1) ? match.captured(1) : match.captured(2)});
        }
        from = end;
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
