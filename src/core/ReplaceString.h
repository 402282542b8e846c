#pragma once

#include <QString>

#include <optional>

namespace core {

// Replaces every non-overlapping occurrence of strToFind, left to right, without searching the replacement again.
// A trailing "*" makes strToFind a wildcard: it is resolved once, at the first case-sensitive occurrence of its
// prefix, to the word running from there up to the next blank. An empty pattern (with a non-empty text) shows the
// "StrToFind=?  " message and yields an empty string. Linear in the text's length.
QString ReplaceString(const QString& text, const QString& strToFind, const QString& replacement, bool caseSensitive);

// ReplaceString that gives up as soon as a replacement makes the result longer than maxSize units: nothing then.
// A replacement that holds its own pattern grows a text geometrically when applied again and again.
std::optional<QString> ReplaceStringWithin(const QString& text, const QString& strToFind, const QString& replacement,
                                           bool caseSensitive, qsizetype maxSize);

} // namespace core
