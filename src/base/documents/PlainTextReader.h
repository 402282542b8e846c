#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"

#include <QByteArray>

namespace documents {

// A text file, decoded as dropped text files are (UTF-8, else Windows-1252), its line ends as "\n". Bytes of value
// zero mean it is no text at all.
core::ResultOf<Document> readPlainText(const QByteArray& bytes);

} // namespace documents
