// The markup scanners on any text: they end; the marks found are names the text holds, in text order; a text that
// counts as markup has no tag that fails to end.

#include "FuzzInput.h"

#include "base/speech/MarkupBookmarks.h"
#include "base/speech/MarkupTags.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    qsizetype from = 0;
    for (const QString& name : speech::MarkupBookmarks(text, true, 0).before(int(text.size()) + 1)) {
        from = text.indexOf(name, from);
        FUZZ_CHECK(from >= 0);
    }
    const core::ResultOf<bool> markup = speech::MarkupTags::isMarkup(text, {});
    FUZZ_CHECK(markup.ok() && (!markup.value() || speech::MarkupTags::firstBrokenTag(text) < 0));
    return 0;
}
