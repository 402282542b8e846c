#include "base/core/SettingsKeys.h"

#include "base/core/IniFile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace core {

namespace {

// Qt's own limit for a widget's extent; a position beyond it only moves the window out of sight, and an int
// still holds it with the window's size added.
constexpr double kMaxPixels = 16777215;

Result notANumber(const SettingsKey& key, const QString& text)
{
    return Result::failure(QStringLiteral("The stored value \"%1\" of \"%2\" is not a number.").arg(text, key.key()));
}

// Rounds halves up (-0.5 gives 0), as the conversions always did, and clamps to the int range.
int roundHalfUp(double number)
{
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return int(std::clamp(std::floor(number + 0.5), lowest, highest));
}

} // namespace

ResultOf<int> storedInteger(const SettingsKey& key, const QString& text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok)
        return notANumber(key, text);
    return number;
}

ResultOf<double> storedNumber(const SettingsKey& key, const QString& text)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || std::isnan(number))
        return notANumber(key, text);
    return number;
}

ResultOf<int> storedPixels(const SettingsKey& key, const QString& text)
{
    const ResultOf<double> number = storedNumber(key, text);
    if (!number)
        return number.result();
    return roundHalfUp(std::clamp(number.value(), -kMaxPixels, kMaxPixels));
}

int leadingInteger(const QString& text)
{
    const double number = leadingNumber(text);
    if (std::isnan(number))
        return 0;
    return roundHalfUp(number);
}

} // namespace core
