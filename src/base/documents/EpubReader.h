#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// An EPUB 2 or 3 book: META-INF/container.xml names the package document, whose spine gives the XHTML documents
// in reading order. Each h1 and h2 is a chapter, and a spine document without either is one at its start, titled
// with its first line. Left out, as reading systems leave them out of the reading order: the navigation document
// and spine items marked linear="no" (covers, notes). The title is the package's dc:title.
core::ResultOf<Document> readEpub(const QByteArray& bytes);

} // namespace documents
