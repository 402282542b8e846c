#include "core/UpperCase.h"

#include <QChar>

#include <array>

namespace core {

namespace {

using UpperTable = std::array<char16_t, 0x10000>;

UpperTable makeUpperTable()
{
    UpperTable table{};
    for (char32_t unit = 0; unit < 0x10000; ++unit) {
        const char32_t upper = QChar::toUpper(unit);
        // A unit whose capital lies outside the basic plane would need two units: keep it as it is.
        table[unit] = upper < 0x10000 ? char16_t(upper) : char16_t(unit);
    }
    return table;
}

// One lookup per unit instead of a trip through the Unicode property tables: the preparation pass upper-cases
// every text it touches.
const UpperTable& upperTable()
{
    static const UpperTable table = makeUpperTable();
    return table;
}

} // namespace

char16_t upperUnit(char16_t unit)
{
    return upperTable()[unit];
}

void upperUnits(QStringView source, QChar* out)
{
    const UpperTable& table = upperTable();
    const char16_t* in = source.utf16();
    const qsizetype size = source.size();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = QChar(table[in[i]]);
}

QString upperCopy(QStringView source)
{
    QString result(source.size(), Qt::Uninitialized);
    upperUnits(source, result.data());
    return result;
}

} // namespace core
