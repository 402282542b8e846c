#pragma once

#include "text/DictionaryRow.h"

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
};

struct PrepareResult {
    QString text;               // the prepared text to speak
    QList<int> deactivatedRows; // rows whose check box the pass cleared (active rows with an empty search word)
};

// The preparation pass run before speaking or saving: dictionary, blanks, punctuation, Euro amounts, time and
// date placeholders, week number and greeting, in that order. Weekday and month names come from the locale.
PrepareResult prepareText(const QString& text, const QList<DictionaryRow>& rows, const PrepareOptions& options,
                          const core::Clock& clock, const QLocale& locale);

} // namespace text
