#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// A PDF read with Poppler, in its plugin (loaded on first use): each page's words and the outline, assembled by
// assemblePdfText(). A document that needs a password is refused as encrypted, one Poppler cannot open as damaged,
// one without a text layer (scanned pages) as holding no text; without the plugin nothing is read.
core::ResultOf<Document> readPdf(const QByteArray& bytes);

} // namespace documents
