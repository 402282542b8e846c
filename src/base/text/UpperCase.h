#pragma once

#include <QString>
#include <QStringView>

namespace core {

// Upper case one UTF-16 unit at a time, so the result always has the input's length and positions carry over
// between a text and its upper-cased copy. QString::toUpper would turn "ß" into "SS" and break that.
char16_t upperUnit(char16_t unit);

// Writes the upper-cased units of source to out, which must have room for source.size() units.
void upperUnits(QStringView source, QChar* out);

QString upperCopy(QStringView source);

} // namespace core
