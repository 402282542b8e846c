#pragma once

#include <QtGlobal>

namespace documents {

// A book is large, but not this large: a longer text (in UTF-16 code units) is refused.
constexpr qsizetype kMaxTextLength = qsizetype(64) * 1024 * 1024;
// A document file is read whole into memory.
constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;
// A zip container unpacks to at most this much in total ...
constexpr qint64 kMaxUnpackedBytes = qint64(256) * 1024 * 1024;
// ... and no entry at a higher ratio of unpacked to packed size (zip bombs reach thousands); entries smaller than
// the floor are harmless whatever their ratio (a short run of blanks packs far better than 200 to 1).
constexpr qint64 kMaxPackingRatio = 200;
constexpr qint64 kPackingRatioFloorBytes = qint64(1) * 1024 * 1024;

} // namespace documents
