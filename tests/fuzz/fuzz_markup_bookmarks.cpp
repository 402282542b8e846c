// The <mark> scanner on any markup text: it ends, and what it finds are names the text holds, in text order.

#include "FuzzInput.h"

#include "speech/MarkupBookmarks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    qsizetype from = 0;
    for (const QString& name : speech::MarkupBookmarks(text, true, 0).before(int(text.size()) + 1)) {
        from = text.indexOf(name, from);
        FUZZ_CHECK(from >= 0);
    }
    return 0;
}
