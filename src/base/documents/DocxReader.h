#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// A Word document (word/document.xml): paragraphs, tables row by row with their cells apart by tabs, and as
// chapters the paragraphs of outline level 1 and 2 (0 and 1 in the file): styled "heading 1" or "heading 2" by
// name or id, through a style of that outline level (word/styles.xml), or given one directly. Footnote and comment
// references, deleted text and field codes are left out. The title is docProps/core.xml's dc:title.
core::ResultOf<Document> readDocx(const QByteArray& bytes);

} // namespace documents
