#pragma once

#include "base/documents/Document.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace documents {

// The kind of a document from its content, where the content shows it: a zip container by its "mimetype" entry
// (EPUB, ODT) or its [Content_Types].xml and word/document.xml (DOCX), "%PDF-", "{\rtf", or HTML by a leading
// doctype or <html> tag. Otherwise the kind its file name's extension names (Markdown, HTML, ...; a container
// kind whose content does not show it is then read as that kind and reported damaged), or text when there is
// none. Data with bytes of value zero and no kind is Unknown.
Kind guessKind(const QByteArray& bytes, const QString& fileName);

// The kind a file name's extension names, Unknown for none.
Kind kindOfExtension(const QString& fileName);

// A kind's name as users know it ("PDF", "EPUB", "Markdown", ...).
QString kindName(Kind kind);

// The extensions (lower case, without the dot) of the files of a kind, for file dialogs.
QStringList kindExtensions(Kind kind);

} // namespace documents
