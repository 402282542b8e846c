#include "base/documents/ZipArchive.h"

#include "base/documents/DocumentLimits.h"
#include "base/documents/DocumentProblem.h"

#include <zip.h>

#include <algorithm>
#include <memory>

namespace documents {

namespace {

// Whether `unpacked` bytes from `packed` ones stay within the ratio; small entries always do.
bool ratioAllowed(qint64 unpacked, qint64 packed)
{
    return unpacked <= kPackingRatioFloorBytes || unpacked / kMaxPackingRatio <= packed;
}

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

} // namespace

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

core::Result ZipArchive::open(const QByteArray& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    m_zip = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!m_zip) {
        const QString reason = QString::fromUtf8(zip_error_strerror(&error));
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        return failure(Problem::Damaged, reason);
    }
    zip_error_fini(&error);

    qint64 total = 0;
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(m_zip, zip_uint64_t(i), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            !(stat.valid & ZIP_STAT_COMP_SIZE))
            return failure(Problem::Damaged, QStringLiteral("entry %1 of the zip directory").arg(i));
        // Each size alone may be near 2^64: compare before adding.
        if (stat.size > zip_uint64_t(kMaxUnpackedBytes - total))
            return failure(Problem::ZipBomb, QStringLiteral("more than 256 MB in total"));
        total += qint64(stat.size);
        if (!ratioAllowed(qint64(stat.size), qint64(std::min<zip_uint64_t>(stat.comp_size, kMaxUnpackedBytes))))
            return failure(Problem::ZipBomb, QString::fromUtf8(stat.name ? stat.name : "") +
                                                 QStringLiteral(" packs at a ratio above 200"));
    }
    return {};
}

bool ZipArchive::contains(const QString& name) const
{
    return m_zip && zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0;
}

core::ResultOf<QByteArray> ZipArchive::read(const QString& name)
{
    const zip_int64_t index = m_zip ? zip_name_locate(m_zip, name.toUtf8().constData(), 0) : -1;
    if (index < 0)
        return failure(Problem::MissingFile, name);
    zip_stat_t stat;
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0)
        return failure(Problem::Damaged, name);
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return failure(Problem::Encrypted, name);
    const std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(m_zip, zip_uint64_t(index), 0));
    if (!file)
        return failure(Problem::Damaged, name);

    // The declared size was checked when the archive opened; what really inflates is counted here.
    const qint64 declared = qint64(stat.size), packed = qint64(stat.comp_size);
    QByteArray content;
    content.reserve(qsizetype(std::min<qint64>(declared, 16 * 1024 * 1024)));
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
        if (got < 0)
            return failure(Problem::Damaged, name);
        if (got == 0)
            break;
        const qint64 size = content.size() + got;
        if (size > declared || !ratioAllowed(size, packed) || m_unpacked + got > kMaxUnpackedBytes)
            return failure(Problem::ZipBomb, name);
        m_unpacked += got;
        content.append(buffer, qsizetype(got));
    }
    return content;
}

bool looksLikeZip(const QByteArray& bytes)
{
    return bytes.startsWith("PK\x03\x04");
}

} // namespace documents
