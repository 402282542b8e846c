#include "base/documents/DocumentReader.h"

#include "base/documents/DocumentProblem.h"
#include "base/documents/DocxReader.h"
#include "base/documents/EpubReader.h"
#include "base/documents/HtmlReader.h"
#include "base/documents/MarkdownReader.h"
#include "base/documents/OdtReader.h"
#include "base/documents/PlainTextReader.h"
#include "base/documents/RtfReader.h"
#include "base/documents/ZipArchive.h"

namespace documents {

core::ResultOf<Document> readDocument(const QByteArray& bytes, Kind kind)
{
    switch (kind) {
    case Kind::Text:
        return readPlainText(bytes);
    case Kind::Epub:
        return readEpub(bytes);
    case Kind::Odt:
        return readOdt(bytes);
    case Kind::Docx:
        return readDocx(bytes);
    case Kind::Html:
        return readHtml(bytes);
    case Kind::Markdown:
        return readMarkdown(bytes);
    case Kind::Rtf:
        return readRtf(bytes);
    case Kind::Pdf:
        return failure(Problem::UnknownKind, QStringLiteral("PDF is read by the PDF engine"));
    case Kind::Unknown:
        break;
    }
    // A zip container that does not even open says why (a zip bomb, a damaged directory) better than its kind.
    ZipArchive zip;
    if (core::Result opened = looksLikeZip(bytes) ? zip.open(bytes) : core::Result(); !opened)
        return opened;
    return failure(Problem::UnknownKind);
}

} // namespace documents
