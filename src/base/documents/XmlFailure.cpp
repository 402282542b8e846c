#include "base/documents/XmlFailure.h"

#include "base/documents/DocumentProblem.h"

namespace documents {

core::Result xmlFailure(const QXmlStreamReader& reader, const QString& entry)
{
    return failure(Problem::MalformedXml,
                   QStringLiteral("%1, line %2: %3").arg(entry).arg(reader.lineNumber()).arg(reader.errorString()));
}

} // namespace documents
