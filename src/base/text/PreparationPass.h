#pragma once

#include "base/text/DictionaryRow.h"

#include <QList>
#include <QLocale>
#include <QString>

namespace core {
class Clock;
}

namespace text {

struct PrepareOptions {
    bool useWords = true;      // ckWords: apply the dictionary
    bool caseSensitive = true; // ckCSens: dictionary matching respects letter case
    qsizetype maxSize = 0;     // the longest prepared text, in UTF-16 units; 0: preparedTextLimit of the input
};

struct PrepareResult {
    QString text;               // the prepared text to speak
    QList<int> deactivatedRows; // rows whose check box the pass cleared (active rows with an empty search word)
    QString error;              // set, in English, when the text outgrew the limit; text is then empty
    int emptyPatterns = 0;      // rewrites that met an empty pattern: the caller shows core::emptyPatternMessage()
                                // once for each, before it looks at error
};

// How long a prepared text may grow: 64 MB (32 Mi units), or sixteen times the input when that is more (the
// fixed rules alone grow a text at most fourfold, "%BG" into "Guten Morgen"). Rows whose replacement holds
// their own search word could otherwise grow it until memory runs out.
qsizetype preparedTextLimit(qsizetype inputSize);

// The preparation pass run before speaking or saving: dictionary, blanks, punctuation, Euro amounts, time and
// date placeholders, week number and greeting, in that order. Weekday and month names come from the locale.
PrepareResult prepareText(const QString& text, const QList<DictionaryRow>& rows, const PrepareOptions& options,
                          const core::Clock& clock, const QLocale& locale);

} // namespace text
