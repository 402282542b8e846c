#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"
#include "base/documents/PdfPage.h"

namespace documents {

// A PDF's text from its pages' words: running headers, footers and page numbers left out (pdfBodyLines), lines of
// a paragraph joined with blanks, and each paragraph on a line of its own. A paragraph ends where the gap to the
// next line is wider than the usual line spacing, the font size changes, the next line is indented, or the line
// ends well before its column does. A word hyphenated at a line end is joined again when the next line begins
// with a small letter ("Sprach-" "ausgabe"), unless that is a conjunction ("Nord-" "und Südsee"); before a
// capital the hyphen stays ("Max-" "Planck"). Chapters are the outline's first two levels, each at its heading's
// line on its page (or the line at its destination, or the page's first line). No words at all: NoText.
core::ResultOf<Document> assemblePdfText(const QList<PdfPage>& pages, const QList<PdfOutlineEntry>& outline,
                                         const QString& title = QString());

} // namespace documents
