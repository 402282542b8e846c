#include "base/documents/XhtmlReader.h"

#include "base/documents/HtmlEntities.h"
#include "base/documents/XmlFailure.h"

#include <QXmlStreamReader>

namespace documents {

namespace {

const QString kOpsNamespace = QStringLiteral("http://www.idpf.org/2007/ops");

class HtmlEntityResolver : public QXmlStreamEntityResolver {
public:
    QString resolveUndeclaredEntity(const QString& name) override { return decodeEntity(name); }
};

} // namespace

core::Result readXhtml(const QByteArray& bytes, const QString& entry, HtmlText& html)
{
    QXmlStreamReader reader(bytes);
    HtmlEntityResolver resolver;
    reader.setEntityResolver(&resolver);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QXmlStreamAttributes attributes = reader.attributes();
            const QString type = attributes.value(kOpsNamespace, QLatin1String("type")).toString() + QLatin1Char(' ') +
                                 attributes.value(QLatin1String("role")).toString();
            html.startElement(reader.name().toString().toLower(),
                              hiddenByAttributes(attributes.hasAttribute(QLatin1String("hidden")),
                                                 attributes.value(QLatin1String("style")), type));
            break;
        }
        case QXmlStreamReader::EndElement:
            html.endElement(reader.name().toString().toLower());
            break;
        case QXmlStreamReader::Characters:
            html.text(reader.text());
            break;
        case QXmlStreamReader::EntityReference: // declared, but external: its name may still be HTML's
            html.text(decodeEntity(reader.name()));
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return xmlFailure(reader, entry);
    html.finish();
    return {};
}

} // namespace documents
