#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// A Markdown file as it reads when rendered: paragraphs, headings (# and underlined ones; levels 1 and 2 are
// chapters), list items with their numbers but without bullets, quotes without their marks, code blocks as they
// are, table rows with their cells apart by tabs; inline markup as renderMarkdownInline() does it. A YAML front
// matter is not text; its "title:" is the title. Decoded as UTF-8, else Windows-1252.
core::ResultOf<Document> readMarkdown(const QByteArray& bytes);

} // namespace documents
