#pragma once

// What every document reader's outcome must hold, whatever the input: a reason when it fails; otherwise text
// within the limit, without CR and trailing white space, and chapters with titles in ascending order inside it.

#include "FuzzInput.h"

#include "base/core/Result.h"
#include "base/documents/Document.h"
#include "base/documents/DocumentLimits.h"

inline void checkDocument(const core::ResultOf<documents::Document>& read)
{
    if (!read.ok()) {
        FUZZ_CHECK(!read.error().isEmpty());
        return;
    }
    const documents::Document& document = read.value();
    FUZZ_CHECK(!document.text.isEmpty() && document.text.size() <= documents::kMaxTextLength);
    FUZZ_CHECK(!document.text.contains(QLatin1Char('\r')) && !document.text.back().isSpace());
    int previous = -1;
    for (const documents::Chapter& chapter : document.chapters) {
        FUZZ_CHECK(chapter.position > previous && chapter.position < document.text.size());
        FUZZ_CHECK(!chapter.title.isEmpty());
        previous = chapter.position;
    }
}
