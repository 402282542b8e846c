#include "base/documents/PdfLines.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace documents {

namespace {

constexpr double kBand = 0.1;     // the share of the page height at the top and at the bottom where running lines are
constexpr double kSameLine = 0.3; // centres this close, in line heights, are on one line
constexpr double kWidestGap = 3;  // the widest gap between two words of a justified line, in line heights

QString withoutLigatures(QString text)
{
    static const char* const kLetters[] = {"ff", "fi", "fl", "ffi", "ffl", "st", "st"}; // U+FB00 to U+FB06
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const char16_t c = text[i].unicode();
        if (c >= 0xFB00 && c <= 0xFB06)
            text.replace(i, 1, QLatin1StringView(kLetters[c - 0xFB00]));
    }
    return text;
}

QList<PdfLine> pageLines(const PdfPage& page, int number)
{
    QList<PdfLine> lines;
    PdfLine line;
    line.page = number;
    bool first = true;
    for (qsizetype i = 0; i < page.words.size(); ++i) {
        const PdfWord& word = page.words[i];
        line.text += withoutLigatures(word.text);
        line.box = first ? word.box.normalized() : line.box.united(word.box.normalized());
        first = false;
        if (!word.lineEnd && i + 1 < page.words.size()) {
            if (word.spaceAfter)
                line.text += QLatin1Char(' ');
            continue;
        }
        line.text = line.text.simplified();
        if (!line.text.isEmpty())
            lines.append(line);
        line = PdfLine();
        line.page = number;
        first = true;
    }
    return lines;
}

// Digits taken as equal, so that "Seite 3" and "Seite 4" are the same running line.
QString runningKey(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    return text.toLower().replace(digits, QStringLiteral("#"));
}

bool isPageNumber(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral(
            "^[\\s\\-\\x{2013}\\x{2014}|\\[\\]().]*+(?:(?:seite|page|s\\.|p\\.)\\s*+)?(\\d{1,5}+|[ivxlc]{1,8}+)"
            "(?:\\s*+(?:von|of|/)\\s*+\\d{1,5}+)?[\\s\\-\\x{2013}\\x{2014}|\\[\\]().]*+$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = number.match(text);
    // Roman page numbers only in lower case: "IV" alone is more likely a chapter's number.
    return match.hasMatch() && (match.captured(1).at(0).isDigit() || match.captured(1).toLower() == match.captured(1));
}

struct PageBand {
    double top = 0;
    double bottom = 0;
};

// Where the top and bottom bands of a page end; from the text's own extent when the page size is unknown.
PageBand bandOf(const PdfPage& page, const QList<PdfLine>& lines)
{
    double top = 0, bottom = page.size.height();
    if (page.size.isEmpty() && !lines.isEmpty()) {
        top = lines.first().box.top();
        bottom = lines.first().box.bottom();
        for (const PdfLine& line : lines) {
            top = std::min(top, line.box.top());
            bottom = std::max(bottom, line.box.bottom());
        }
    }
    const double band = (bottom - top) * kBand;
    return {top + band, bottom - band};
}

bool inBand(const PdfLine& line, const PageBand& band)
{
    return line.box.bottom() <= band.top || line.box.top() >= band.bottom;
}

bool onOneLine(const PdfLine& a, const PdfLine& b)
{
    const double height = std::min(a.box.height(), b.box.height());
    return std::abs(a.box.center().y() - b.box.center().y()) <= kSameLine * height;
}

// Appends a line, or joins it to the last one when it continues that on the same line: the PDF library splits a
// justified line at its widest gaps.
void appendJoined(QList<PdfLine>& lines, const PdfLine& line)
{
    if (!lines.isEmpty()) {
        PdfLine& last = lines.last();
        const double height = std::min(last.box.height(), line.box.height());
        const double gap = line.box.left() - last.box.right();
        if (last.page == line.page && onOneLine(last, line) && gap >= -kSameLine * height &&
            gap <= kWidestGap * height) {
            last.text += QLatin1Char(' ') + line.text;
            last.box = last.box.united(line.box);
            return;
        }
    }
    lines.append(line);
}

} // namespace

QList<PdfLine> pdfBodyLines(const QList<PdfPage>& pages)
{
    QList<QList<PdfLine>> lines;
    QList<PageBand> bands;
    QHash<QString, int> pagesWithKey;
    int pagesWithText = 0;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        lines.append(pageLines(pages[p], int(p)));
        bands.append(bandOf(pages[p], lines.last()));
        pagesWithText += lines.last().isEmpty() ? 0 : 1;
        QSet<QString> keys;
        for (const PdfLine& line : std::as_const(lines.last())) {
            if (inBand(line, bands.last()))
                keys.insert(runningKey(line.text));
        }
        for (const QString& key : std::as_const(keys))
            ++pagesWithKey[key];
    }
    QList<PdfLine> body;
    for (qsizetype p = 0; p < lines.size(); ++p) {
        const QList<PdfLine>& page = lines[p];
        QList<bool> running(page.size(), false);
        QList<qsizetype> pageNumbers;
        for (qsizetype i = 0; i < page.size(); ++i) {
            if (!inBand(page[i], bands[p]))
                continue;
            const int count = pagesWithKey.value(runningKey(page[i].text));
            running[i] = (count >= 2 && count * 2 >= pagesWithText) || isPageNumber(page[i].text);
            if (isPageNumber(page[i].text))
                pageNumbers.append(i);
        }
        // What stands on the line of a page number is the rest of the running header ("Report ... page 7").
        for (qsizetype i = 0; i < page.size(); ++i) {
            for (const qsizetype number : std::as_const(pageNumbers))
                running[i] = running[i] || (inBand(page[i], bands[p]) && onOneLine(page[i], page[number]));
        }
        for (qsizetype i = 0; i < page.size(); ++i) {
            if (!running[i])
                appendJoined(body, page[i]);
        }
    }
    return body;
}

} // namespace documents
