#pragma once

#include "base/core/MessageBox.h"
#include "base/core/Result.h"

#include <QString>

#include <optional>

namespace core {

// The text a replacement gave, and a failure when it met an empty pattern: the text then ends where that happened.
// The caller shows emptyPatternMessage() for such a failure.
struct [[nodiscard]] Replaced {
    QString text;
    Result status;
};

// Replaces every non-overlapping occurrence of strToFind, left to right, without searching the replacement again.
// A trailing "*" makes strToFind a wildcard: it is resolved once, at the first case-sensitive occurrence of its
// prefix, to the word running from there up to the next blank. An empty pattern (with a non-empty text) fails and
// drops the rest of the text: an empty string for an empty strToFind. Linear in the text's length.
Replaced ReplaceString(const QString& text, const QString& strToFind, const QString& replacement, bool caseSensitive);

// ReplaceString that gives up as soon as a replacement makes the result longer than maxSize units: nothing then.
// A replacement that holds its own pattern grows a text geometrically when applied again and again.
std::optional<Replaced> ReplaceStringWithin(const QString& text, const QString& strToFind, const QString& replacement,
                                            bool caseSensitive, qsizetype maxSize);

// The message box that reports an empty pattern ("StrToFind=?  ").
Message emptyPatternMessage();

} // namespace core
