#pragma once

#include "base/core/Result.h"

#include <QByteArray>
#include <QString>

namespace sys {

// Replaces the file as a whole (a reader sees the old file or the new one), creating its folder when missing.
// It does not wait for the disk: the start-up writes these files and must not. Fails with the reason.
core::Result replaceFile(const QString& path, const QByteArray& bytes);

} // namespace sys
