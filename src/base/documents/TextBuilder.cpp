#include "base/documents/TextBuilder.h"

#include "base/documents/DocumentProblem.h"

namespace documents {

namespace {

constexpr char16_t kSoftHyphen = 0x00AD;
constexpr char16_t kNoBreakSpace = 0x00A0;

// White space that collapses: a no-break space is meant to stay as it is.
bool collapses(QChar c)
{
    return c.isSpace() && c != QChar(kNoBreakSpace);
}

} // namespace

TextBuilder::TextBuilder(qsizetype limit)
    : m_limit(limit)
{
}

void TextBuilder::addFlowing(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        if (collapses(text[i])) {
            if (m_pending == Pending::None)
                m_pending = Pending::Blank;
            ++i;
            continue;
        }
        if (text[i] == QChar(kSoftHyphen)) { // invisible where the line does not break there
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && !collapses(text[i]) && text[i] != QChar(kSoftHyphen))
            ++i;
        flushPending();
        append(text.sliced(start, i - start));
    }
}

void TextBuilder::addVerbatim(QStringView text)
{
    if (text.isEmpty())
        return;
    flushPending();
    if (!text.contains(QLatin1Char('\r'))) {
        append(text);
        return;
    }
    QString lines = text.toString();
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    append(lines);
}

void TextBuilder::lineBreak()
{
    m_pending = Pending::None;
    flushPending();
    while (m_text.endsWith(QLatin1Char(' ')) || m_text.endsWith(QLatin1Char('\t')))
        m_text.chop(1);
    append(u"\n");
}

void TextBuilder::blockBreak()
{
    m_pending = Pending::None;
    m_pendingBreak = true;
}

void TextBuilder::cellBreak()
{
    m_pending = Pending::Tab;
}

qsizetype TextBuilder::mark()
{
    flushPending();
    return m_text.size();
}

void TextBuilder::addChapterSince(qsizetype start)
{
    if (start <= m_text.size())
        addChapter(start, headingTitle(QStringView(m_text).sliced(start)));
}

void TextBuilder::addChapter(qsizetype start, const QString& title)
{
    if (title.isEmpty() || start > m_limit)
        return;
    if (!m_chapters.isEmpty() && m_chapters.last().position >= start)
        return; // one chapter per position, the first named wins
    m_chapters.append({int(start), title});
}

core::ResultOf<Document> TextBuilder::take(Kind kind, const QString& title)
{
    if (m_overflowed)
        return failure(Problem::TextTooLarge);
    qsizetype end = m_text.size();
    while (end > 0 && m_text[end - 1].isSpace())
        --end;
    m_text.truncate(end);
    if (end == 0)
        return failure(Problem::NoText);
    while (!m_chapters.isEmpty() && m_chapters.last().position >= end)
        m_chapters.removeLast();
    Document document;
    document.text = std::move(m_text);
    document.chapters = std::move(m_chapters);
    document.title = headingTitle(title);
    document.kind = kind;
    m_text.clear();
    m_chapters.clear();
    return document;
}

bool TextBuilder::atLineStart() const
{
    return m_text.isEmpty() || m_text.endsWith(QLatin1Char('\n'));
}

void TextBuilder::flushPending()
{
    if (m_pendingBreak) {
        m_pendingBreak = false;
        if (!atLineStart()) {
            while (m_text.endsWith(QLatin1Char(' ')) || m_text.endsWith(QLatin1Char('\t')))
                m_text.chop(1);
            append(u"\n");
        }
    }
    const Pending pending = m_pending;
    m_pending = Pending::None;
    if (pending == Pending::Tab)
        append(u"\t");
    else if (pending == Pending::Blank && !atLineStart() && !m_text.endsWith(QLatin1Char(' ')))
        append(u" ");
}

void TextBuilder::append(QStringView text)
{
    if (m_overflowed || m_text.size() + text.size() > m_limit) {
        m_overflowed = true;
        return;
    }
    m_text.append(text);
}

QString headingTitle(QStringView text)
{
    QString title = text.toString();
    title.remove(QChar(kSoftHyphen));
    return title.simplified();
}

} // namespace documents
