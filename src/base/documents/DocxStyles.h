#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace documents {

// The outline levels of a Word document's paragraph styles (word/styles.xml), by style id: 0 for "heading 1",
// 1 for "heading 2" (by name, whatever the id: German Word calls it "berschrift1"), or the level a style or the
// style it is based on sets. A style without one is not in the table.
class DocxStyles {
public:
    // Unreadable styles give an empty table: headings then come from the ids "Heading1"/"Heading2" alone.
    explicit DocxStyles(const QByteArray& stylesXml = QByteArray());

    // The outline level of a style id, -1 when it has none.
    int outlineLevel(const QString& styleId) const;

private:
    struct Style {
        int level = -1;
        QString basedOn;
    };
    QHash<QString, Style> m_styles;
};

} // namespace documents
