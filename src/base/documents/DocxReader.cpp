#include "base/documents/DocxReader.h"

#include "base/documents/DocxStyles.h"
#include "base/documents/OfficeMetadata.h"
#include "base/documents/TextBuilder.h"
#include "base/documents/XmlFailure.h"
#include "base/documents/ZipArchive.h"

#include <QXmlStreamReader>

namespace documents {

namespace {

const QString kDocument = QStringLiteral("word/document.xml");
const QString kStyles = QStringLiteral("word/styles.xml");
const QString kMarkupCompatibility = QStringLiteral("http://schemas.openxmlformats.org/markup-compatibility/2006");

bool isWordNamespace(QStringView ns)
{
    return ns == u"http://schemas.openxmlformats.org/wordprocessingml/2006/main" ||
           ns == u"http://purl.oclc.org/ooxml/wordprocessingml/main";
}

class BodyWalker {
public:
    BodyWalker(QXmlStreamReader& reader, TextBuilder& builder, const DocxStyles& styles)
        : m_reader(reader)
        , m_builder(builder)
        , m_styles(styles)
    {
    }

    void run()
    {
        while (!m_reader.atEnd()) {
            const QXmlStreamReader::TokenType token = m_reader.readNext();
            // Alternative content comes twice, as the new form and as a fallback for old readers: take the first.
            if (token == QXmlStreamReader::StartElement && m_reader.namespaceUri() == kMarkupCompatibility &&
                m_reader.name() == u"Fallback")
                m_reader.skipCurrentElement();
            else if (token == QXmlStreamReader::StartElement && isWordNamespace(m_reader.namespaceUri()))
                start(m_reader.name());
            else if (token == QXmlStreamReader::EndElement && isWordNamespace(m_reader.namespaceUri()))
                end(m_reader.name());
        }
    }

private:
    struct Paragraph {
        qsizetype start = 0;
        int level = -1;
    };

    void paragraphBreak()
    {
        if (m_cellDepth > 0)
            m_builder.addFlowing(u" ");
        else
            m_builder.blockBreak();
    }

    QString value() const
    {
        return m_reader.attributes().value(m_reader.namespaceUri().toString(), QLatin1String("val")).toString();
    }

    void start(QStringView name)
    {
        // Deleted and moved-away text, field codes, and the former properties of a tracked change.
        if (name == u"del" || name == u"moveFrom" || name == u"instrText" || name == u"delInstrText" ||
            name == u"sectPr" || name == u"pPrChange" || name == u"rPrChange") {
            m_reader.skipCurrentElement();
        } else if (name == u"p") {
            paragraphBreak();
            m_paragraphs.append({m_builder.mark(), -1});
        } else if (name == u"pStyle" && !m_paragraphs.isEmpty()) {
            m_paragraphs.last().level = m_styles.outlineLevel(value());
        } else if (name == u"outlineLvl" && !m_paragraphs.isEmpty()) {
            m_paragraphs.last().level = value().toInt();
        } else if (name == u"r") {
            ++m_runDepth;
        } else if (name == u"t" && m_runDepth > 0) {
            m_builder.addVerbatim(m_reader.readElementText(QXmlStreamReader::SkipChildElements));
        } else if (name == u"tab" && m_runDepth > 0) { // outside a run, a tab is a tab stop's definition
            m_builder.addVerbatim(u"\t");
        } else if ((name == u"br" || name == u"cr") && m_runDepth > 0) {
            const QString type =
                m_reader.attributes().value(m_reader.namespaceUri().toString(), QLatin1String("type")).toString();
            if (type == u"page" || type == u"column")
                m_builder.blockBreak();
            else
                m_builder.lineBreak();
        } else if (name == u"noBreakHyphen" && m_runDepth > 0) {
            m_builder.addVerbatim(u"-");
        } else if (name == u"tr") {
            m_builder.blockBreak();
            m_rowHasCell = false;
        } else if (name == u"tc") {
            if (m_rowHasCell)
                m_builder.cellBreak();
            m_rowHasCell = true;
            ++m_cellDepth;
        }
    }

    void end(QStringView name)
    {
        if (name == u"r" && m_runDepth > 0) {
            --m_runDepth;
        } else if (name == u"tc" && m_cellDepth > 0) {
            --m_cellDepth;
        } else if (name == u"tr") {
            m_builder.blockBreak();
        } else if (name == u"p" && !m_paragraphs.isEmpty()) {
            const Paragraph paragraph = m_paragraphs.takeLast();
            if (m_cellDepth == 0 && (paragraph.level == 0 || paragraph.level == 1))
                m_builder.addChapterSince(paragraph.start);
            paragraphBreak();
        }
    }

    QXmlStreamReader& m_reader;
    TextBuilder& m_builder;
    const DocxStyles& m_styles;
    QList<Paragraph> m_paragraphs; // text boxes put paragraphs inside paragraphs
    int m_runDepth = 0;
    int m_cellDepth = 0;
    bool m_rowHasCell = false;
};

} // namespace

core::ResultOf<Document> readDocx(const QByteArray& bytes)
{
    ZipArchive zip;
    if (core::Result opened = zip.open(bytes); !opened)
        return opened;
    const core::ResultOf<QByteArray> document = zip.read(kDocument);
    if (!document)
        return document.result();
    const core::ResultOf<QByteArray> styles = zip.contains(kStyles) ? zip.read(kStyles) : QByteArray();
    const DocxStyles outlineLevels(styles ? styles.value() : QByteArray());
    TextBuilder builder;
    QXmlStreamReader reader(document.value());
    BodyWalker(reader, builder, outlineLevels).run();
    if (reader.hasError())
        return xmlFailure(reader, kDocument);
    return builder.take(Kind::Docx, dublinCoreTitle(zip, QStringLiteral("docProps/core.xml")));
}

} // namespace documents
