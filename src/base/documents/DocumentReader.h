#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// A document's bytes read by the reader of its kind. PDF needs the PDF engine (engine/pdf), so it is not read
// here; neither is an Unknown kind.
core::ResultOf<Document> readDocument(const QByteArray& bytes, Kind kind);

} // namespace documents
