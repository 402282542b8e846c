#pragma once

#include "base/core/Result.h"
#include "base/documents/HtmlText.h"

#include <QByteArray>

namespace documents {

// Hands a well-formed XHTML file to the layout; XML that does not parse is a failure naming `entry`. References
// that the file does not declare are taken as HTML's named ones; external entities are never fetched.
core::Result readXhtml(const QByteArray& bytes, const QString& entry, HtmlText& html);

} // namespace documents
