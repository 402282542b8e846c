#pragma once

#include "base/speech/TextRange.h"

#include <QList>
#include <QString>

namespace speech {

// The program's own sentences, as a reader sees them: a sentence ends at ".", "!" or "?" (closing quotes or
// brackets may follow) before a blank, a line end or the end of the text, except after a common abbreviation
// ("Dr.", "z.B.", "usw.", ...) or a single letter ("J. S. Bach"). Ranges leave out the blanks between sentences.
class SentenceSplitter {
public:
    static QList<TextRange> split(const QString& text);

    // Index of the sentence that holds offset, else of the last sentence that starts before it; 0 when none.
    static int indexAt(const QList<TextRange>& sentences, int offset);

    static bool isAbbreviation(const QString& tokenWithPeriod);
};

} // namespace speech
