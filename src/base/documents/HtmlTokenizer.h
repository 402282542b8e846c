#pragma once

#include "base/documents/HtmlText.h"

#include <QStringView>

namespace documents {

// Splits HTML as browsers accept it (not necessarily XML: unquoted attributes, unclosed elements, stray "<") into
// elements and text for the layout. Comments, doctypes and processing instructions are dropped, CDATA is text,
// the content of script and style is never looked into, and references are decoded. Linear in the input.
void tokenizeHtml(QStringView html, HtmlText& sink);

} // namespace documents
