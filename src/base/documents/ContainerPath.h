#pragma once

#include <QString>
#include <QStringView>

namespace documents {

// The entry that a link `href` in the entry `from` points to (percent-decoded, "." and ".." resolved, the
// fragment dropped). Empty when it points outside the container: above its top, to another scheme, or absolute.
QString resolveEntryPath(const QString& from, QStringView href);

} // namespace documents
