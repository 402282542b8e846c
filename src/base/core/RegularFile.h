#pragma once

#include "base/core/Result.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace core {

// The largest files read: well above the largest real file of each kind, so that a file named by mistake (a film,
// a disk image) is refused with a reason instead of exhausting the memory.
constexpr qint64 kMaxDictionaryBytes = qint64(256) << 20; // big real ones have 50 MB (1.7 million rows)
constexpr qint64 kMaxScriptBytes = qint64(256) << 20;     // read whole for every value: 100 MB take 0.6 GB
constexpr qint64 kMaxSettingsBytes = qint64(16) << 20;    // a few KB, with values for every voice

// Dictionary, settings and scripts come from paths that users and scripts name. A FIFO would block the start for
// ever and a device such as /dev/zero never ends, so only a regular file of at most maxBytes is opened; opening
// never blocks. On failure the reason reads "Cannot read <path>: ...".
Result openRegularFile(QFile& file, const QString& path, qint64 maxBytes);

// The whole content of such a file.
ResultOf<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);

} // namespace core
