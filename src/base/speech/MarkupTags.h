#pragma once

#include "base/core/Result.h"
#include "base/speech/SpeakFlags.h"

#include <QString>
#include <QStringView>

namespace speech {

// Where the synthesizer sees tags in a markup text, so that the program agrees with it (espeak-ng 1.51, measured):
// a "<" followed by a letter, "/", "!" or "?" opens a tag, comments and declarations included, that ends at the
// next ">"; a tag body longer than kLongestTag characters is cut there and the rest read as text. Any other "<"
// is text. A tag that never ends swallows the rest of the text without a sound, so such markup cannot be read.
class MarkupTags {
public:
    static constexpr int kLongestTag = 500; // characters (code points) between "<" and ">"

    // Whether the "<" at offset opens a tag (which may still not end).
    static bool opensTag(QStringView text, qsizetype offset);
    // Just past the ">" of the tag that opens at offset; -1 when the "<" there opens none or the tag does not end.
    static qsizetype tagEnd(QStringView text, qsizetype offset);
    // The offset of the first tag that does not end in time; -1 when every tag ends.
    static qsizetype firstBrokenTag(QStringView text);
    // Whether the text is spoken as markup: the speak flags say so, or, when neither says, the text begins with a
    // tag and every tag in it ends (other text is spoken as it stands). Fails when the flags ask for markup that
    // cannot be read.
    static core::ResultOf<bool> isMarkup(QStringView text, SpeakFlags speakFlags);
};

} // namespace speech
