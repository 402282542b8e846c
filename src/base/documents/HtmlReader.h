#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// An HTML or XHTML file: the text of its body as a browser shows it, h1 and h2 as chapters, <title> as title.
// Its character set comes from a byte-order mark or a <meta> charset; without either, UTF-8 when the bytes are
// valid UTF-8, else Windows-1252.
core::ResultOf<Document> readHtml(const QByteArray& bytes);

} // namespace documents
