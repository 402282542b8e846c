#pragma once

#include <QList>
#include <QString>

namespace text {

// Separates search word and replacement in a dictionary row: blank, blank, bullet, blank, blank.
inline const QString kEntrySeparator = QStringLiteral("  \u2022  ");

// One row of the dictionary list: "search  •  replacement"; the check box is the active flag.
struct DictionaryRow {
    QString text;
    bool checked = false;

    friend bool operator==(const DictionaryRow&, const DictionaryRow&) = default;
};

// Splits a row at its first separator. A row without separator gives the whole text as search word.
struct DictionaryEntry {
    QString search;
    QString replacement;
};
DictionaryEntry splitRow(const QString& rowText);

} // namespace text
