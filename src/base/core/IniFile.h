#pragma once

#include "base/core/Result.h"

#include <QString>

namespace core {

// One value of an INI-format file, matched like the classic platform reader: section and key names without
// regard to case or surrounding blanks, first match wins, value trimmed, one pair of enclosing quotes dropped.
// With stripComments the value is cut before its last apostrophe. Missing file, section or key: defaultValue.
// A file that readIniText() cannot read gives defaultValue too.
QString ReadINI(const QString& path, const QString& section, const QString& key, bool stripComments,
                const QString& defaultValue = QString());

// The whole text of an INI-format file: UTF-16 with a byte-order mark, UTF-8, or Windows-1252 when the bytes are
// not valid UTF-8. A failure for what is not a regular file of at most kMaxScriptBytes, or holds no text.
ResultOf<QString> readIniText(const QString& path);

// The leading-number conversion used for script numbers and stored rate and volume: text that does not begin
// with a number gives 0 (" 3.5x" gives 3.5).
double leadingNumber(const QString& text);

} // namespace core
