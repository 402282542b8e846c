#pragma once

#include "base/core/Result.h"

#include <QByteArray>
#include <QString>

struct zip;

namespace documents {

// A zip container held in memory (EPUB, ODT, DOCX), read with libzip. Entries are found by their exact name only,
// so nothing outside the container can be named. It refuses to unpack more than kMaxUnpackedBytes in total, or an
// entry at a ratio above kMaxPackingRatio: by the sizes its directory declares when it is opened, and again by
// counting while an entry inflates, since the declared sizes may lie.
class ZipArchive {
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // The bytes must outlive the archive.
    core::Result open(const QByteArray& bytes);

    bool contains(const QString& name) const;
    // An entry's bytes; a failure names the entry (missing, damaged, encrypted, or a zip bomb).
    core::ResultOf<QByteArray> read(const QString& name);

private:
    struct zip* m_zip = nullptr;
    qint64 m_unpacked = 0; // bytes inflated so far, over all entries
};

// Whether bytes begin like a zip container.
bool looksLikeZip(const QByteArray& bytes);

} // namespace documents
