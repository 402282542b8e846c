#include "base/text/DictionaryRow.h"

namespace text {

DictionaryEntry splitRow(const QString& rowText)
{
    const qsizetype at = rowText.indexOf(kEntrySeparator);
    if (at < 0)
        return {rowText, QString()};
    return {rowText.left(at), rowText.mid(at + kEntrySeparator.size())};
}

} // namespace text
