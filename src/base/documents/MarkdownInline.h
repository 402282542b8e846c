#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

namespace documents {

// The text of a Markdown paragraph or heading as it reads when rendered: emphasis and strikethrough marks gone,
// links and images as their text, code spans kept as they are, inline HTML tags dropped, autolinks as their
// address, escapes and references decoded, footnote references left out. A line break inside stays a "\n" when
// it is a hard one (two blanks or a backslash before it) and becomes a blank otherwise. `labels` are the reference
// definitions' labels in lower case, so that "[label]" alone is known as a link.
QString renderMarkdownInline(QStringView text, const QSet<QString>& labels);

// A label as reference definitions and links compare it: lower case, white space collapsed.
QString markdownLabel(QStringView label);

} // namespace documents
