#include "base/documents/PdfTextAssembly.h"

#include "base/documents/PdfLines.h"
#include "base/documents/TextBuilder.h"

#include <algorithm>
#include <cmath>

namespace documents {

namespace {

constexpr qsizetype kColumnWindow = 40;  // lines before and after that may share a column
constexpr double kParagraphGap = 0.3;    // extra space, in line heights, that ends a paragraph
constexpr double kIndent = 0.8;          // a first-line indent, in line heights
constexpr double kShortLine = 0.15;      // a line ending this share of its column early ends its paragraph
constexpr double kFontSizeChange = 0.25; // a height differing by this share is another font size

struct Column {
    double left = 0;
    double right = 0;
};

// The extent of the column a line stands in: the lines near it on its page that overlap it horizontally.
QList<Column> columnsOf(const QList<PdfLine>& lines)
{
    QList<Column> columns;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Column column{lines[i].box.left(), lines[i].box.right()};
        const qsizetype last = std::min(lines.size() - 1, i + kColumnWindow);
        for (qsizetype j = std::max<qsizetype>(0, i - kColumnWindow); j <= last; ++j) {
            const QRectF& other = lines[j].box;
            if (lines[j].page == lines[i].page && other.left() < column.right && lines[i].box.left() < other.right()) {
                column.left = std::min(column.left, other.left());
                column.right = std::max(column.right, other.right());
            }
        }
        columns.append(column);
    }
    return columns;
}

// The usual gap between two lines of a paragraph: the median of the gaps between neighbours of equal height.
double usualGap(const QList<PdfLine>& lines)
{
    QList<double> gaps;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QRectF &above = lines[i - 1].box, &below = lines[i].box;
        const double gap = below.top() - above.bottom();
        if (lines[i].page == lines[i - 1].page && gap > -0.5 * above.height() &&
            std::abs(above.height() - below.height()) <= kFontSizeChange * above.height())
            gaps.append(gap);
    }
    if (gaps.isEmpty())
        return 0;
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    return gaps[gaps.size() / 2];
}

bool endsParagraph(const PdfLine& line, const Column& column, const PdfLine& next, double gap)
{
    const double height = std::max(1.0, std::min(line.box.height(), next.box.height()));
    if (std::abs(line.box.height() - next.box.height()) > kFontSizeChange * height)
        return true;
    if (next.page == line.page && next.box.top() - line.box.bottom() > gap + kParagraphGap * height)
        return true;
    if (next.box.left() - line.box.left() > kIndent * height && next.page == line.page)
        return true;
    return line.box.right() < column.right - kShortLine * (column.right - column.left);
}

bool isConjunction(QStringView word)
{
    for (const char* conjunction : {"und", "oder", "bis", "sowie", "bzw", "noch", "and", "or", "to", "nor"}) {
        if (word.compare(QLatin1StringView(conjunction), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Appends a line that continues the paragraph, joining a word hyphenated at the end of the text so far; returns
// where the line's text starts.
qsizetype continueParagraph(QString& text, const QString& line)
{
    const QChar last = text.isEmpty() ? QChar() : text.back();
    const QChar beforeLast = text.size() >= 2 ? text[text.size() - 2] : QChar();
    const bool hyphen = (last == u'-' || last == QChar(0x2010) || last == QChar(0x00AD)) && beforeLast.isLetter();
    if (!hyphen) {
        text += QLatin1Char(' ');
    } else if (last == QChar(0x00AD)) { // a soft hyphen is where a word was split, nothing else
        text.chop(1);
    } else if (line.front().isLower()) {
        const QStringView firstWord = QStringView(line).first(std::max<qsizetype>(0, line.indexOf(u' ')));
        if (isConjunction(firstWord.isEmpty() ? QStringView(line) : firstWord))
            text += QLatin1Char(' ');
        else
            text.chop(1);
    }
    const qsizetype start = text.size();
    text += line;
    return start;
}

struct PageOrder {
    bool operator()(const PdfLine& line, int page) const { return line.page < page; }
    bool operator()(int page, const PdfLine& line) const { return page < line.page; }
};

QString comparable(QStringView text)
{
    QString letters;
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            letters += c.toLower();
    }
    return letters;
}

// Where an outline entry's heading starts: its line on its page, or the line at its destination, or the page's
// first line; -1 when its page has no text.
qsizetype chapterPosition(const PdfOutlineEntry& entry, const QList<PdfLine>& lines, const QList<qsizetype>& starts,
                          const QList<double>& pageHeights)
{
    const QString title = comparable(entry.title);
    qsizetype first = -1, atTop = -1;
    // Lines are in page order: only those of the entry's page are looked at.
    const auto onPage = std::equal_range(lines.begin(), lines.end(), entry.page, PageOrder());
    for (qsizetype i = onPage.first - lines.begin(); i < onPage.second - lines.begin(); ++i) {
        const QString line = comparable(lines[i].text);
        if (!title.isEmpty() && !line.isEmpty() && (line.startsWith(title) || title.startsWith(line)))
            return starts[i];
        if (first < 0)
            first = i;
        const double height = pageHeights.value(entry.page);
        if (atTop < 0 && entry.top >= 0 && height > 0 && lines[i].box.bottom() >= entry.top * height)
            atTop = i;
    }
    const qsizetype line = atTop >= 0 ? atTop : first;
    return line < 0 ? -1 : starts[line];
}

} // namespace

core::ResultOf<Document> assemblePdfText(const QList<PdfPage>& pages, const QList<PdfOutlineEntry>& outline,
                                         const QString& title)
{
    const QList<PdfLine> lines = pdfBodyLines(pages);
    const QList<Column> columns = columnsOf(lines);
    const double gap = usualGap(lines);
    QString text;
    QList<qsizetype> starts; // where each line starts in the text
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (text.size() > kMaxTextLength)
            break; // the builder reports it
        if (i == 0) {
            starts.append(0);
            text += lines[i].text;
            continue;
        }
        if (endsParagraph(lines[i - 1], columns[i - 1], lines[i], gap)) {
            text += QLatin1Char('\n');
            starts.append(text.size());
            text += lines[i].text;
        } else {
            starts.append(continueParagraph(text, lines[i].text));
        }
    }

    QList<double> pageHeights;
    for (const PdfPage& page : pages)
        pageHeights.append(page.size.height());
    const QList<PdfLine> written = lines.first(starts.size());
    QList<Chapter> chapters;
    for (const PdfOutlineEntry& entry : outline) {
        const qsizetype position = entry.level <= 2 ? chapterPosition(entry, written, starts, pageHeights) : -1;
        if (position >= 0 && !headingTitle(entry.title).isEmpty())
            chapters.append({int(std::min(position, kMaxTextLength)), headingTitle(entry.title)});
    }
    std::stable_sort(chapters.begin(), chapters.end(),
                     [](const Chapter& a, const Chapter& b) { return a.position < b.position; });

    TextBuilder builder;
    builder.addVerbatim(text);
    for (const Chapter& chapter : std::as_const(chapters))
        builder.addChapter(chapter.position, chapter.title);
    return builder.take(Kind::Pdf, title);
}

} // namespace documents
