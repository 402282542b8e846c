// The markup readers on any text: HTML as browsers take it, Markdown, and XHTML as a book's XML.

#include "DocumentCheck.h"

#include "base/documents/HtmlReader.h"
#include "base/documents/MarkdownReader.h"
#include "base/documents/XhtmlReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Switches: 0 HTML, 1 Markdown, 2 XHTML (by the first byte's value modulo 3); then the file's bytes.
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    switch (data[0] % 3) {
    case 0:
        checkDocument(documents::readHtml(bytes));
        break;
    case 1:
        checkDocument(documents::readMarkdown(bytes));
        break;
    default: {
        documents::TextBuilder builder;
        documents::HtmlText html(builder);
        if (documents::readXhtml(bytes, QStringLiteral("fuzz.xhtml"), html).ok())
            checkDocument(builder.take(documents::Kind::Epub, html.title()));
    }
    }
    return 0;
}
