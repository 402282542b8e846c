#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// A Rich Text Format file: its text without control words and without the groups that hold no text to read (font,
// colour and style tables, document information, pictures, objects, headers, footers, footnotes, field codes).
// \'hh bytes are decoded by the code page of \ansicpg or of the current font's \fcharset, \uN as UTF-16 with the
// \ucN fallback skipped; \par ends a paragraph, \line breaks the line, table cells are apart by tabs, and
// paragraphs of \outlinelevel 0 and 1 are chapters. The title is the \info group's \title.
core::ResultOf<Document> readRtf(const QByteArray& bytes);

} // namespace documents
