#include "base/documents/OdtReader.h"

#include "base/documents/OfficeMetadata.h"
#include "base/documents/TextBuilder.h"
#include "base/documents/XmlFailure.h"
#include "base/documents/ZipArchive.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace documents {

namespace {

const QString kContent = QStringLiteral("content.xml");
const QString kTextNamespace = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kTableNamespace = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOfficeNamespace = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kSvgNamespace = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");
constexpr int kMostSpaces = 1000; // a <text:s text:c="..."/> asks for blanks; more are no use

class ContentWalker {
public:
    ContentWalker(QXmlStreamReader& reader, TextBuilder& builder)
        : m_reader(reader)
        , m_builder(builder)
    {
    }

    void run()
    {
        while (!m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::StartElement:
                start();
                break;
            case QXmlStreamReader::EndElement:
                end();
                break;
            case QXmlStreamReader::Characters:
                if (m_inBody)
                    m_builder.addFlowing(m_reader.text());
                break;
            default:
                break;
            }
        }
    }

private:
    bool isSkipped() const
    {
        const QStringView ns = m_reader.namespaceUri(), name = m_reader.name();
        return (ns == kTextNamespace && (name == u"note" || name == u"tracked-changes")) ||
               (ns == kOfficeNamespace && name == u"annotation") ||
               (ns == kSvgNamespace && (name == u"title" || name == u"desc"));
    }

    void paragraphBreak()
    {
        if (m_cellDepth > 0)
            m_builder.addFlowing(u" ");
        else
            m_builder.blockBreak();
    }

    void start()
    {
        const QStringView ns = m_reader.namespaceUri(), name = m_reader.name();
        if (ns == kOfficeNamespace && name == u"body")
            m_inBody = true;
        if (!m_inBody)
            return;
        if (isSkipped()) {
            m_reader.skipCurrentElement();
            return;
        }
        if (ns == kTableNamespace) {
            if (name == u"table-row") {
                m_builder.blockBreak();
                m_rowHasCell = false;
            } else if (name == u"table-cell") {
                if (m_rowHasCell)
                    m_builder.cellBreak();
                m_rowHasCell = true;
                ++m_cellDepth;
            }
            return;
        }
        if (ns != kTextNamespace)
            return;
        if (name == u"p" || name == u"h") {
            paragraphBreak();
            const QStringView level = m_reader.attributes().value(kTextNamespace, QLatin1String("outline-level"));
            const int outline = level.isEmpty() ? 1 : level.toInt();
            if (name == u"h" && m_cellDepth == 0 && outline >= 1 && outline <= 2)
                m_headingStart = m_builder.mark();
        } else if (name == u"s") {
            const int count = m_reader.attributes().value(kTextNamespace, QLatin1String("c")).toInt();
            m_builder.addVerbatim(QString(std::clamp(count, 1, kMostSpaces), QLatin1Char(' ')));
        } else if (name == u"tab") {
            m_builder.addVerbatim(u"\t");
        } else if (name == u"line-break") {
            m_builder.lineBreak();
        }
    }

    void end()
    {
        const QStringView ns = m_reader.namespaceUri(), name = m_reader.name();
        if (!m_inBody)
            return;
        if (ns == kOfficeNamespace && name == u"body")
            m_inBody = false;
        if (ns == kTableNamespace && name == u"table-cell" && m_cellDepth > 0)
            --m_cellDepth;
        else if (ns == kTableNamespace && name == u"table-row")
            m_builder.blockBreak();
        if (ns != kTextNamespace || (name != u"p" && name != u"h"))
            return;
        if (m_headingStart >= 0)
            m_builder.addChapterSince(m_headingStart);
        m_headingStart = -1;
        paragraphBreak();
    }

    QXmlStreamReader& m_reader;
    TextBuilder& m_builder;
    bool m_inBody = false;
    bool m_rowHasCell = false;
    int m_cellDepth = 0;
    qsizetype m_headingStart = -1;
};

} // namespace

core::ResultOf<Document> readOdt(const QByteArray& bytes)
{
    ZipArchive zip;
    if (core::Result opened = zip.open(bytes); !opened)
        return opened;
    const core::ResultOf<QByteArray> content = zip.read(kContent);
    if (!content)
        return content.result();
    TextBuilder builder;
    QXmlStreamReader reader(content.value());
    ContentWalker(reader, builder).run();
    if (reader.hasError())
        return xmlFailure(reader, kContent);
    return builder.take(Kind::Odt, dublinCoreTitle(zip, QStringLiteral("meta.xml")));
}

} // namespace documents
