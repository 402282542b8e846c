#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace documents {

// A word on a PDF page as the PDF library lays it out, in reading order; coordinates in points from the page's
// top left corner.
struct PdfWord {
    QString text;
    QRectF box;
    bool spaceAfter = false; // a blank follows it on its line
    bool lineEnd = false;    // the last word of its line
};

struct PdfPage {
    QSizeF size; // empty when unknown
    QList<PdfWord> words;
};

// An entry of the document outline (bookmarks): its title and where it leads.
struct PdfOutlineEntry {
    QString title;
    int page = 0;    // 0-based
    double top = -1; // 0 (page top) to 1 (bottom); negative when the entry leads to the page as a whole
    int level = 1;   // 1 for a top-level entry, 2 for one below it, ...
};

} // namespace documents
