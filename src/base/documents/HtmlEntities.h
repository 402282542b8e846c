#pragma once

#include <QString>
#include <QStringView>

namespace documents {

// The text of a character reference without its "&" and ";": a name ("auml", "nbsp") or a number ("#228",
// "#xE4"). Empty when the name is unknown; a number that names no character gives U+FFFD.
QString decodeEntity(QStringView reference);

// Every "&...;" reference in a text decoded; unknown ones stay as they are.
QString decodeEntities(QStringView text);

} // namespace documents
