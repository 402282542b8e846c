#include "base/documents/OfficeMetadata.h"

#include "base/documents/TextBuilder.h"
#include "base/documents/ZipArchive.h"

#include <QXmlStreamReader>

namespace documents {

QString dublinCoreTitle(ZipArchive& zip, const QString& entry)
{
    if (!zip.contains(entry))
        return QString();
    const core::ResultOf<QByteArray> bytes = zip.read(entry);
    if (!bytes)
        return QString();
    QXmlStreamReader reader(bytes.value());
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"title" &&
            reader.namespaceUri() == u"http://purl.org/dc/elements/1.1/")
            return headingTitle(reader.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    return QString();
}

} // namespace documents
