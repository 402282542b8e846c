#pragma once

// Zip containers made in memory from a few entries, for the tests' sample documents and the fuzz targets.

#include <QByteArray>
#include <QList>
#include <QString>

#include <zip.h>

struct ZipEntry {
    QString name;
    QByteArray data;
};

// The entries deflated (a "mimetype" entry stored, as EPUB and ODF want it), or all stored (quicker to make);
// empty when libzip fails.
inline QByteArray makeZip(const QList<ZipEntry>& entries, bool deflate = true)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive)
        return {};
    zip_source_keep(buffer);
    for (const ZipEntry& entry : entries) {
        zip_source_t* data = zip_source_buffer(archive, entry.data.constData(), zip_uint64_t(entry.data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.toUtf8().constData(), data, ZIP_FL_OVERWRITE);
        if (index < 0)
            zip_source_free(data);
        else if (entry.name == u"mimetype" || !deflate)
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    QByteArray bytes;
    zip_stat_t stat;
    const bool closed = zip_close(archive) == 0;
    if (!closed)
        zip_discard(archive);
    if (closed && zip_source_open(buffer) == 0) {
        if (zip_source_stat(buffer, &stat) == 0) {
            bytes.resize(qsizetype(stat.size));
            bytes.resize(qsizetype(std::max<zip_int64_t>(0, zip_source_read(buffer, bytes.data(), stat.size))));
        }
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return bytes;
}
