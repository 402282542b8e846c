#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// An OpenDocument text (content.xml): paragraphs and headings, headings of outline level 1 and 2 as chapters,
// tables row by row with their cells apart by tabs. Footnotes, endnotes, comments, tracked deletions and image
// descriptions are left out. The title is meta.xml's dc:title.
core::ResultOf<Document> readOdt(const QByteArray& bytes);

} // namespace documents
