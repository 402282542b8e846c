#pragma once

#include "base/documents/PdfPage.h"

#include <QList>

namespace documents {

// A line of text on a page: its words joined, ligatures written out as their letters, white space simplified.
struct PdfLine {
    QString text;
    QRectF box;
    int page = 0;
};

// Each page's lines in reading order, without the running headers and footers and the page numbers: lines in the
// top or bottom tenth of a page that, with their digits taken as equal, stand there on at least half the pages
// (and two at least), such lines that hold a page number alone ("7", "- 7 -", "Seite 7 von 9", "vii"), and what
// stands beside such a page number. Pieces of one line that the PDF library split are joined again.
QList<PdfLine> pdfBodyLines(const QList<PdfPage>& pages);

} // namespace documents
