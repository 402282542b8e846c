#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// A PDF read with Poppler: each page's words and the outline, assembled by assemblePdfText(). A document that
// needs a password is refused as encrypted, one Poppler cannot open as damaged, one without a text layer (scanned
// pages) as holding no text. An encrypted document that opens without a password is read, as every viewer
// shows it.
core::ResultOf<Document> readPdf(const QByteArray& bytes);

} // namespace documents
