#include "base/documents/DocxStyles.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace documents {

namespace {

constexpr int kDeepestBasedOnChain = 16;

// "heading 1" (the built-in name) or the id Word gives it in English.
int levelFromName(const QString& name)
{
    static const QRegularExpression heading(QStringLiteral("^heading ?([1-9])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = heading.match(name);
    return match.hasMatch() ? match.captured(1).toInt() - 1 : -1;
}

} // namespace

DocxStyles::DocxStyles(const QByteArray& stylesXml)
{
    QXmlStreamReader reader(stylesXml);
    QString id;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        const QString value =
            reader.attributes().value(reader.namespaceUri().toString(), QLatin1String("val")).toString();
        if (name == u"style") {
            id = reader.attributes().value(reader.namespaceUri().toString(), QLatin1String("styleId")).toString();
            m_styles.insert(id, {levelFromName(id), QString()});
        } else if (id.isEmpty()) {
            continue;
        } else if (name == u"name" && levelFromName(value) >= 0) {
            m_styles[id].level = levelFromName(value);
        } else if (name == u"outlineLvl") {
            m_styles[id].level = value.toInt();
        } else if (name == u"basedOn") {
            m_styles[id].basedOn = value;
        }
    }
    if (reader.hasError())
        m_styles.clear();
}

int DocxStyles::outlineLevel(const QString& styleId) const
{
    QString id = styleId;
    for (int depth = 0; depth < kDeepestBasedOnChain; ++depth) {
        const auto found = m_styles.constFind(id);
        if (found == m_styles.cend())
            return levelFromName(id);
        if (found->level >= 0)
            return found->level;
        id = found->basedOn;
    }
    return -1;
}

} // namespace documents
