#pragma once

#include <QString>

namespace documents {

class ZipArchive;

// The dc:title of a metadata entry (meta.xml of ODF, docProps/core.xml of Office Open XML). Empty when the entry
// is missing or unreadable: the title is a nicety, and the document's text does not depend on it.
QString dublinCoreTitle(ZipArchive& zip, const QString& entry);

} // namespace documents
