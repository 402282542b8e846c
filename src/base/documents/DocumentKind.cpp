#include "base/documents/DocumentKind.h"

#include "base/documents/ZipArchive.h"

#include <QFileInfo>

namespace documents {

namespace {

struct KindInfo {
    Kind kind;
    const char* name;
    const char* extensions; // separated by blanks
};

constexpr KindInfo kKinds[] = {
    {Kind::Text, "Text", "txt text"},
    {Kind::Pdf, "PDF", "pdf"},
    {Kind::Epub, "EPUB", "epub"},
    {Kind::Odt, "ODT", "odt"},
    {Kind::Docx, "DOCX", "docx"},
    {Kind::Html, "HTML", "html htm xhtml"},
    {Kind::Markdown, "Markdown", "md markdown mdown mkd"},
    {Kind::Rtf, "RTF", "rtf"},
};

constexpr qsizetype kSniffedBytes = 1024;

Kind zipKind(const QByteArray& bytes)
{
    ZipArchive zip;
    if (!zip.open(bytes))
        return Kind::Unknown;
    if (zip.contains(QStringLiteral("mimetype"))) {
        const core::ResultOf<QByteArray> mimetype = zip.read(QStringLiteral("mimetype"));
        const QByteArray type = mimetype ? mimetype.value().trimmed() : QByteArray();
        if (type == "application/epub+zip")
            return Kind::Epub;
        if (type == "application/vnd.oasis.opendocument.text")
            return Kind::Odt;
    }
    if (zip.contains(QStringLiteral("[Content_Types].xml")) && zip.contains(QStringLiteral("word/document.xml")))
        return Kind::Docx;
    return Kind::Unknown;
}

bool looksLikeHtml(const QByteArray& bytes)
{
    QByteArray start = bytes.left(kSniffedBytes).toLower();
    if (start.startsWith("\xEF\xBB\xBF"))
        start.remove(0, 3);
    start = start.trimmed();
    if (start.startsWith("<?xml"))
        return start.contains("<!doctype html") || start.contains("<html");
    return start.startsWith("<!doctype html") || start.startsWith("<html");
}

} // namespace

Kind guessKind(const QByteArray& bytes, const QString& fileName)
{
    const Kind named = kindOfExtension(fileName);
    if (looksLikeZip(bytes)) {
        const Kind contained = zipKind(bytes);
        if (contained != Kind::Unknown)
            return contained;
        // A damaged container is reported as damaged when its name says what it should be.
        return named == Kind::Epub || named == Kind::Odt || named == Kind::Docx ? named : Kind::Unknown;
    }
    if (bytes.left(kSniffedBytes).contains("%PDF-"))
        return Kind::Pdf;
    if (bytes.startsWith("{\\rtf"))
        return Kind::Rtf;
    if (looksLikeHtml(bytes))
        return Kind::Html;
    if (named != Kind::Unknown)
        return named;
    return bytes.contains('\0') ? Kind::Unknown : Kind::Text;
}

Kind kindOfExtension(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const KindInfo& info : kKinds) {
        if (!suffix.isEmpty() && QString::fromLatin1(info.extensions).split(QLatin1Char(' ')).contains(suffix))
            return info.kind;
    }
    return Kind::Unknown;
}

QString kindName(Kind kind)
{
    for (const KindInfo& info : kKinds) {
        if (info.kind == kind)
            return QString::fromLatin1(info.name);
    }
    return QStringLiteral("Unknown");
}

QStringList kindExtensions(Kind kind)
{
    for (const KindInfo& info : kKinds) {
        if (info.kind == kind)
            return QString::fromLatin1(info.extensions).split(QLatin1Char(' '));
    }
    return {};
}

} // namespace documents
