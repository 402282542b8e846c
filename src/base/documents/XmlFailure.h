#pragma once

#include "base/core/Result.h"

#include <QXmlStreamReader>

namespace documents {

// The failure for XML that does not parse: the file inside the container, the line, and the parser's reason.
core::Result xmlFailure(const QXmlStreamReader& reader, const QString& entry);

} // namespace documents
