#include "engine/pdf/DocumentFile.h"

#include "base/documents/DocumentKind.h"
#include "base/documents/DocumentLimits.h"
#include "base/documents/DocumentProblem.h"
#include "base/documents/DocumentReader.h"
#include "engine/pdf/PopplerPdf.h"

#include <QFile>
#include <QFileInfo>

namespace documents {

core::ResultOf<Document> readDocumentFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(Problem::Unreadable, QStringLiteral("it does not exist"));
    if (!info.isFile())
        return failure(Problem::NotAFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(Problem::Unreadable, file.errorString());
    // The size is checked on the open file, and the read is bounded: the file may grow in between.
    if (file.size() > kMaxFileBytes)
        return failure(Problem::FileTooLarge);
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes)
        return failure(Problem::FileTooLarge);
    if (file.error() != QFileDevice::NoError)
        return failure(Problem::Unreadable, file.errorString());
    const Kind kind = guessKind(bytes, info.fileName());
    return kind == Kind::Pdf ? readPdf(bytes) : readDocument(bytes, kind);
}

} // namespace documents
