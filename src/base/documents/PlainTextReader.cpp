#include "base/documents/PlainTextReader.h"

#include "base/core/TextDecoding.h"
#include "base/documents/DocumentProblem.h"
#include "base/documents/TextBuilder.h"

namespace documents {

core::ResultOf<Document> readPlainText(const QByteArray& bytes)
{
    if (bytes.contains('\0'))
        return failure(Problem::UnknownKind, QStringLiteral("binary data"));
    TextBuilder builder;
    builder.addVerbatim(core::decodeUtf8OrWindows1252(bytes));
    return builder.take(Kind::Text);
}

} // namespace documents
