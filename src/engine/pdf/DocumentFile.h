#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QString>

namespace documents {

// Reads any document file into text and chapters: a regular file of at most kMaxFileBytes, its kind taken from
// its content or else its name (guessKind), read by the reader of that kind, PDF through Poppler. A failure's
// reason is English and begins with one of DocumentProblem's reasons (germanReason() gives the German one).
core::ResultOf<Document> readDocumentFile(const QString& path);

} // namespace documents
