#include "base/documents/EpubReader.h"

#include "base/documents/ContainerPath.h"
#include "base/documents/DocumentProblem.h"
#include "base/documents/HtmlText.h"
#include "base/documents/XhtmlReader.h"
#include "base/documents/XmlFailure.h"
#include "base/documents/ZipArchive.h"

#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

namespace documents {

namespace {

const QString kContainer = QStringLiteral("META-INF/container.xml");
const QString kEncryption = QStringLiteral("META-INF/encryption.xml");
const QString kDublinCore = QStringLiteral("http://purl.org/dc/elements/1.1/");
constexpr qsizetype kLongestDerivedTitle = 80;

struct Item {
    QString path; // empty when the href leads out of the container
    QString href;
    QString mediaType;
    QString properties;
};

struct SpineEntry {
    QString idref;
    bool linear = true;
};

struct Package {
    QString title;
    QHash<QString, Item> manifest;
    QList<SpineEntry> spine;
};

core::ResultOf<QString> packagePath(const QByteArray& container)
{
    QXmlStreamReader reader(container);
    QString path;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"rootfile")
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        // The package document, or failing a rootfile of its type, the first rootfile.
        if (path.isEmpty() || attributes.value(QLatin1String("media-type")) == u"application/oebps-package+xml")
            path = resolveEntryPath(QString(), attributes.value(QLatin1String("full-path")));
        if (attributes.value(QLatin1String("media-type")) == u"application/oebps-package+xml")
            break;
    }
    if (reader.hasError())
        return xmlFailure(reader, kContainer);
    if (path.isEmpty())
        return failure(Problem::Damaged, kContainer + QStringLiteral(" names no package document"));
    return path;
}

core::ResultOf<Package> readPackage(const QByteArray& bytes, const QString& path)
{
    Package package;
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == u"item") {
            const QStringView href = attributes.value(QLatin1String("href"));
            package.manifest.insert(attributes.value(QLatin1String("id")).toString(),
                                    {resolveEntryPath(path, href), href.toString(),
                                     attributes.value(QLatin1String("media-type")).toString(),
                                     attributes.value(QLatin1String("properties")).toString()});
        } else if (reader.name() == u"itemref") {
            package.spine.append({attributes.value(QLatin1String("idref")).toString(),
                                  attributes.value(QLatin1String("linear")) != u"no"});
        } else if (reader.name() == u"title" && reader.namespaceUri() == kDublinCore && package.title.isEmpty()) {
            package.title = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    if (reader.hasError())
        return xmlFailure(reader, path);
    return package;
}

// The entries that META-INF/encryption.xml says are encrypted (a protected book cannot be read without its key).
core::ResultOf<QSet<QString>> encryptedEntries(ZipArchive& zip)
{
    QSet<QString> entries;
    if (!zip.contains(kEncryption))
        return entries;
    const core::ResultOf<QByteArray> bytes = zip.read(kEncryption);
    if (!bytes)
        return bytes.result();
    QXmlStreamReader reader(bytes.value());
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"CipherReference")
            entries.insert(resolveEntryPath(QString(), reader.attributes().value(QLatin1String("URI"))));
    }
    if (reader.hasError())
        return xmlFailure(reader, kEncryption);
    return entries;
}

bool isXhtml(const Item& item)
{
    return item.mediaType.contains(QLatin1String("html"));
}

QString firstLine(QStringView text)
{
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    return headingTitle(end < 0 ? text : text.first(end)).left(kLongestDerivedTitle);
}

} // namespace

core::ResultOf<Document> readEpub(const QByteArray& bytes)
{
    ZipArchive zip;
    if (core::Result opened = zip.open(bytes); !opened)
        return opened;
    const core::ResultOf<QByteArray> container = zip.read(kContainer);
    if (!container)
        return container.result();
    const core::ResultOf<QString> path = packagePath(container.value());
    if (!path)
        return path.result();
    const core::ResultOf<QByteArray> packageBytes = zip.read(path.value());
    if (!packageBytes)
        return packageBytes.result();
    const core::ResultOf<Package> package = readPackage(packageBytes.value(), path.value());
    if (!package)
        return package.result();
    const core::ResultOf<QSet<QString>> encrypted = encryptedEntries(zip);
    if (!encrypted)
        return encrypted.result();

    TextBuilder builder;
    for (const SpineEntry& entry : package.value().spine) {
        if (builder.overflowed())
            break; // a spine may name one document over and over
        const auto found = package.value().manifest.constFind(entry.idref);
        if (found == package.value().manifest.cend())
            return failure(Problem::MissingFile, QStringLiteral("spine item \"%1\"").arg(entry.idref));
        const Item& item = *found;
        if (!entry.linear || item.properties.split(QLatin1Char(' ')).contains(u"nav") || !isXhtml(item))
            continue;
        if (item.path.isEmpty())
            return failure(Problem::MissingFile, item.href + QStringLiteral(" (outside the book)"));
        if (encrypted.value().contains(item.path))
            return failure(Problem::Encrypted, item.path);
        const core::ResultOf<QByteArray> content = zip.read(item.path);
        if (!content)
            return content.result();

        builder.blockBreak();
        const qsizetype start = builder.mark();
        const qsizetype chapters = builder.chapterCount();
        HtmlText html(builder);
        if (core::Result read = readXhtml(content.value(), item.path, html); !read)
            return read;
        if (builder.chapterCount() == chapters)
            builder.addChapter(start, firstLine(QStringView(builder.text()).sliced(start)));
    }
    return builder.take(Kind::Epub, package.value().title);
}

} // namespace documents
