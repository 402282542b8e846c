#include "base/documents/MarkdownReader.h"

#include "base/core/TextDecoding.h"
#include "base/documents/MarkdownInline.h"
#include "base/documents/TextBuilder.h"

#include <QRegularExpression>

namespace documents {

namespace {

// Possessive quantifiers throughout: a long line of blanks must not make a pattern try every split of it.
const QRegularExpression kAtxHeading(QStringLiteral("^ {0,3}+(#{1,6}+)(?:[ \\t]|$)"));
const QRegularExpression kSetextUnderline(QStringLiteral("^ {0,3}+(=++|-++)[ \\t]*+$"));
const QRegularExpression kThematicBreak(QStringLiteral("^ {0,3}+([-*_])(?:[ \\t]*+\\1){2,}+[ \\t]*+$"));
const QRegularExpression kFence(QStringLiteral("^ {0,3}+(`{3,}+|~{3,}+)"));
const QRegularExpression kBullet(QStringLiteral("^[ \\t]*+[-*+][ \\t]++"));
const QRegularExpression kOrdered(QStringLiteral("^[ \\t]*+(\\d{1,9}+)[.)][ \\t]++"));
const QRegularExpression kReference(QStringLiteral("^ {0,3}+\\[([^\\]]{1,999}+)\\]:[ \\t]*+\\S"));
const QRegularExpression kTableDelimiter(
    QStringLiteral("^[ \\t]*+\\|?+[ \\t]*+:?+-++:?+[ \\t]*+(?:\\|[ \\t]*+:?+-++:?+[ \\t]*+)*+\\|?+[ \\t]*+$"));
const QRegularExpression kQuote(QStringLiteral("^ {0,3}+> ?+"));

// The pattern's match, tried only when the line's first character after its blanks can begin one: most lines are
// plain text, and trying every pattern on each costs more than all the rest.
QRegularExpressionMatch matchLed(const QRegularExpression& pattern, const QString& line, QStringView leads)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == u' ' || line[i] == u'\t'))
        ++i;
    if (i == line.size() || !leads.contains(line[i]))
        return QRegularExpressionMatch();
    return pattern.match(line);
}

// A heading's text without the closing run of "#" that may follow it.
QString atxHeadingText(QStringView rest)
{
    rest = rest.trimmed();
    qsizetype end = rest.size();
    while (end > 0 && rest[end - 1] == u'#')
        --end;
    if (end == 0 || rest[end - 1] == u' ' || rest[end - 1] == u'\t')
        rest = rest.first(end);
    return rest.trimmed().toString();
}

// The text without the first `columns` columns of its indentation.
QString withoutIndentation(const QString& text, int columns)
{
    int width = 0;
    qsizetype i = 0;
    while (i < text.size() && width < columns && (text[i] == u' ' || text[i] == u'\t'))
        width += text[i++] == u'\t' ? 4 - width % 4 : 1;
    return text.mid(i);
}

int indentation(QStringView line)
{
    int width = 0;
    for (const QChar c : line) {
        if (c == u' ')
            ++width;
        else if (c == u'\t')
            width += 4 - width % 4;
        else
            break;
    }
    return width;
}

class BlockParser {
public:
    BlockParser(const QStringList& lines, TextBuilder& builder)
        : m_lines(lines)
        , m_builder(builder)
    {
        for (const QString& line : lines) {
            const QRegularExpressionMatch match = matchLed(kReference, line, u"[");
            if (match.hasMatch())
                m_labels.insert(markdownLabel(match.captured(1)));
        }
    }

    QString run()
    {
        qsizetype first = frontMatterEnd();
        for (qsizetype i = first; i < m_lines.size(); ++i)
            line(m_lines[i]);
        flushParagraph();
        return m_title;
    }

private:
    // The line after a leading front matter ("---" ... "---" or "..."), 0 when there is none; takes its title.
    qsizetype frontMatterEnd()
    {
        if (m_lines.isEmpty() || m_lines.first().trimmed() != u"---")
            return 0;
        for (qsizetype i = 1; i < m_lines.size(); ++i) {
            const QString line = m_lines[i].trimmed();
            if (line == u"---" || line == u"...") {
                for (qsizetype j = 1; j < i && m_title.isEmpty(); ++j) {
                    if (m_lines[j].startsWith(QLatin1String("title:"))) {
                        m_title = m_lines[j].mid(6).trimmed();
                        if (m_title.size() >= 2 && (m_title[0] == u'"' || m_title[0] == u'\'') &&
                            m_title.endsWith(m_title[0]))
                            m_title = m_title.mid(1, m_title.size() - 2);
                    }
                }
                return i + 1;
            }
        }
        return 0;
    }

    void line(QString text)
    {
        if (!m_fence.isEmpty()) {
            codeLine(text);
            return;
        }
        int quotes = 0;
        for (QRegularExpressionMatch quote = matchLed(kQuote, text, u">"); quote.hasMatch();
             quote = matchLed(kQuote, text, u">")) {
            text.remove(0, quote.capturedLength());
            ++quotes;
        }
        if (quotes != m_quotes)
            flushParagraph();
        m_quotes = quotes;

        if (text.trimmed().isEmpty()) {
            flushParagraph();
            m_inTable = false;
            return;
        }
        const bool canContinue = !m_paragraph.isEmpty();
        if (!canContinue && !m_inList && indentation(text) >= 4) { // an indented code block
            m_builder.blockBreak();
            m_builder.addVerbatim(withoutIndentation(text, 4));
            m_builder.lineBreak();
            return;
        }
        if (const QRegularExpressionMatch fence = matchLed(kFence, text, u"`~"); fence.hasMatch()) {
            flushParagraph();
            m_fence = fence.captured(1);
            m_builder.blockBreak();
            return;
        }
        if (const QRegularExpressionMatch heading = matchLed(kAtxHeading, text, u"#"); heading.hasMatch()) {
            flushParagraph();
            addHeading(atxHeadingText(QStringView(text).sliced(heading.capturedEnd(1))), heading.capturedLength(1));
            return;
        }
        if (const QRegularExpressionMatch underline = matchLed(kSetextUnderline, text, u"=-");
            underline.hasMatch() && canContinue) {
            const QString heading = m_paragraph.join(QLatin1Char('\n'));
            m_paragraph.clear();
            addHeading(heading, underline.captured(1).startsWith(u'=') ? 1 : 2);
            return;
        }
        if (matchLed(kThematicBreak, text, u"-*_").hasMatch() || matchLed(kReference, text, u"[").hasMatch()) {
            flushParagraph();
            m_builder.blockBreak();
            return;
        }
        if (text.contains(u'|') && matchLed(kTableDelimiter, text, u"|:-").hasMatch() && m_paragraph.size() >= 1 &&
            m_paragraph.last().contains(u'|')) {
            const QString header = m_paragraph.takeLast();
            flushParagraph();
            tableRow(header);
            m_inTable = true;
            return;
        }
        if (m_inTable) {
            tableRow(text);
            return;
        }
        listOrParagraph(text);
    }

    void listOrParagraph(QString text)
    {
        const QRegularExpressionMatch bullet = matchLed(kBullet, text, u"-*+"),
                                      ordered = matchLed(kOrdered, text, u"0123456789");
        if (bullet.hasMatch() || ordered.hasMatch()) {
            flushParagraph();
            m_inList = true;
            // The bullet is a mark; an item's number is part of what it says.
            text = bullet.hasMatch() ? text.mid(bullet.capturedLength())
                                     : ordered.captured(1) + QLatin1String(". ") + text.mid(ordered.capturedLength());
        } else if (indentation(text) == 0 && m_paragraph.isEmpty()) {
            m_inList = false;
        }
        m_paragraph.append(text.trimmed());
    }

    void codeLine(const QString& text)
    {
        const QString trimmed = text.trimmed();
        if (indentation(text) < 4 && trimmed.startsWith(m_fence) && trimmed.count(m_fence.at(0)) == trimmed.size()) {
            m_fence.clear();
            m_builder.blockBreak();
            return;
        }
        m_builder.addVerbatim(text);
        m_builder.lineBreak();
    }

    void addHeading(const QString& text, int level)
    {
        m_builder.blockBreak();
        const qsizetype start = m_builder.mark();
        addInline(text);
        if (level <= 2)
            m_builder.addChapterSince(start);
        m_builder.blockBreak();
    }

    void tableRow(QString row)
    {
        row = row.trimmed();
        if (row.startsWith(u'|'))
            row.remove(0, 1);
        if (row.endsWith(u'|') && !row.endsWith(QLatin1String("\\|")))
            row.chop(1);
        m_builder.blockBreak();
        const QStringList cells = row.split(QRegularExpression(QStringLiteral("(?<!\\\\)\\|")));
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                m_builder.cellBreak();
            addInline(cells[i]);
        }
        m_builder.blockBreak();
    }

    void flushParagraph()
    {
        if (m_paragraph.isEmpty())
            return;
        m_builder.blockBreak();
        addInline(m_paragraph.join(QLatin1Char('\n')));
        m_builder.blockBreak();
        m_paragraph.clear();
    }

    // Rendered inline text; its hard line breaks stay.
    void addInline(const QString& text)
    {
        const QStringList lines = renderMarkdownInline(text, m_labels).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                m_builder.lineBreak();
            m_builder.addFlowing(lines[i]);
        }
    }

    const QStringList& m_lines;
    TextBuilder& m_builder;
    QSet<QString> m_labels;
    QStringList m_paragraph;
    QString m_fence; // the open code fence's backticks or tildes
    QString m_title;
    int m_quotes = 0;
    bool m_inList = false;
    bool m_inTable = false;
};

} // namespace

core::ResultOf<Document> readMarkdown(const QByteArray& bytes)
{
    QString text = core::decodeUtf8OrWindows1252(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    TextBuilder builder;
    const QString title = BlockParser(lines, builder).run();
    return builder.take(Kind::Markdown, title);
}

} // namespace documents
