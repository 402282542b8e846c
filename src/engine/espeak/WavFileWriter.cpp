#include "engine/espeak/WavFileWriter.h"

#include "base/core/SafeWrite.h"
#include "engine/espeak/SpeechEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace speech {

namespace {

struct FileFormat {
    const char* extension; // lower case, with the dot
    int format;            // libsndfile's; Opus has an encoder of its own, whose speed libsndfile does not let us set
    bool opus;
};

// Anything not listed here is written as WAV.
constexpr FileFormat kFormats[] = {
    {".mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, false},
    {".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, false},
    {".opus", 0, true},
    {".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, false},
};

FileFormat formatOf(const QString& path)
{
    const QString fileName = QFileInfo(path).fileName();
    for (const FileFormat& format : kFormats) {
        if (fileName.endsWith(QLatin1String(format.extension), Qt::CaseInsensitive))
            return format;
    }
    return {".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, false};
}

// Opus takes 8, 12, 16, 24 and 48 kHz only.
int opusRateFor(int sampleRate)
{
    for (const int rate : {8000, 12000, 16000, 24000})
        if (sampleRate <= rate)
            return rate;
    return 48000;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Temporary files are named kPartPrefix + 8 lower-case hexadecimal digits + kPartSuffix.
constexpr char kPartPrefix[] = ".sprechkit-";
constexpr char kPartSuffix[] = ".part";
constexpr time_t kStalePartSeconds = 24 * 60 * 60;

// Audio the synthesis may run ahead of the encoder.
constexpr qint64 kQueuedSeconds = 2;

bool isPartFileName(const char* name)
{
    const size_t prefix = sizeof kPartPrefix - 1, suffix = sizeof kPartSuffix - 1;
    if (std::strlen(name) != prefix + 8 + suffix || std::strncmp(name, kPartPrefix, prefix) != 0 ||
        std::strcmp(name + prefix + 8, kPartSuffix) != 0)
        return false;
    return std::all_of(name + prefix, name + prefix + 8,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A render that never ended (killed, a power failure) leaves its part file behind. Only regular files of this user
// that carry exactly the program's pattern and have not been written for a day go: nothing is still writing them.
void removeStalePartFiles(const QString& folder)
{
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        struct stat file {};
        if (isPartFileName(entry->d_name) && ::fstatat(::dirfd(dir), entry->d_name, &file, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(file.st_mode) && file.st_uid == ::geteuid() && now - file.st_mtime > kStalePartSeconds)
            ::unlinkat(::dirfd(dir), entry->d_name, 0); // a failure leaves the file for a later run
    }
    ::closedir(dir);
}

// libsndfile's file access, on a WavFileWriter::Descriptor.
sf_count_t descriptorLength(void* user)
{
    struct stat file {};
    return ::fstat(static_cast<WavFileWriter::Descriptor*>(user)->fd, &file) == 0 ? sf_count_t(file.st_size) : -1;
}

sf_count_t descriptorSeek(sf_count_t offset, int whence, void* user)
{
    return ::lseek(static_cast<WavFileWriter::Descriptor*>(user)->fd, off_t(offset), whence);
}

sf_count_t descriptorRead(void* data, sf_count_t count, void* user)
{
    const int fd = static_cast<WavFileWriter::Descriptor*>(user)->fd;
    sf_count_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd, static_cast<char*>(data) + done, size_t(count - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

sf_count_t descriptorWrite(const void* data, sf_count_t count, void* user)
{
    auto* out = static_cast<WavFileWriter::Descriptor*>(user);
    sf_count_t done = 0;
    while (out->error == 0 && done < count) {
        const ssize_t written = ::write(out->fd, static_cast<const char*>(data) + done, size_t(count - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            out->error = written < 0 ? errno : EIO;
        else
            done += written;
    }
    return done;
}

sf_count_t descriptorTell(void* user)
{
    return ::lseek(static_cast<WavFileWriter::Descriptor*>(user)->fd, 0, SEEK_CUR);
}

// Not const only because sf_open_virtual() takes a pointer to a modifiable table.
SF_VIRTUAL_IO kDescriptorIo = {descriptorLength, descriptorSeek, descriptorRead, descriptorWrite, descriptorTell};

// Creates a new, unique file in folder; -1 with errno set when that fails.
int createTemporary(const QString& folder, QString* name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = folder + QLatin1Char('/') + QLatin1String(kPartPrefix) +
                QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')) +
                QLatin1String(kPartSuffix);
        const int fd = ::open(QFile::encodeName(*name).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

WavFileWriter::~WavFileWriter()
{
    // Never closed: the render did not get to its end, so nothing replaces the target.
    discard();
}

core::Result WavFileWriter::open(const QString& path, int sampleRate)
{
    discard();
    if (path.isEmpty())
        return core::Result::failure(QStringLiteral("No file name was given."));
    // A name that the file system would cut short (at a NUL) or spell differently must not write some other file.
    if (path.contains(QChar(0)) || QFile::decodeName(QFile::encodeName(path)) != path)
        return core::Result::failure(
            QStringLiteral("The file name \"%1\" holds a character that a file name cannot hold.")
                .arg(QString(path).replace(QChar(0), QLatin1String("\\0"))));

    // Replacing a symbolic link would cut it off from its file: write where it points.
    const core::ResultOf<QString> followed = core::writeTarget(path);
    if (!followed)
        return core::Result::failure(QStringLiteral("Cannot create the file \"%1\": %2").arg(path, followed.error()));
    m_target = followed.value();
    const QFileInfo target(m_target);
    struct stat existing {};
    const bool exists = ::stat(QFile::encodeName(m_target).constData(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return core::Result::failure(
            QStringLiteral("Cannot create the file \"%1\": it is not a regular file.").arg(path));
    // A rename would get round a write protection.
    if (exists && ::access(QFile::encodeName(m_target).constData(), W_OK) != 0)
        return core::Result::failure(QStringLiteral("Cannot create the file \"%1\": it is write-protected.").arg(path));

    removeStalePartFiles(target.absolutePath());
    m_out = {createTemporary(target.absolutePath(), &m_temporary), 0};
    if (m_out.fd < 0) {
        const QString reason = systemError();
        m_temporary.clear();
        return core::Result::failure(QStringLiteral("Cannot create the file \"%1\": %2").arg(path, reason));
    }
    if (exists)
        ::fchmod(m_out.fd, existing.st_mode & 07777); // a file written anew keeps its permissions

    const FileFormat format = formatOf(path); // the name asked for, even through a link
    const int fileRate = format.opus ? opusRateFor(sampleRate) : sampleRate;
    if (const core::Result opened = format.opus ? openOpus(path, fileRate) : openSndfile(path, format.format, fileRate);
        !opened) {
        discard();
        return opened;
    }
    if (fileRate != sampleRate) {
        m_resampler = std::make_unique<Resampler>(sampleRate, fileRate);
        if (!m_resampler->isValid()) {
            discard();
            return core::Result::failure(
                QStringLiteral("Cannot create the file \"%1\": no resampler to %2 Hz.").arg(path).arg(fileRate));
        }
    }
    m_wav = (format.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV;
    m_dataBytes = 0;
    m_sampleRate = sampleRate;
    m_path = path;
    m_writeError.clear();
    m_failure.clear();
    m_queue = std::make_unique<encoder::EncoderQueue>(
        kQueuedSeconds * sampleRate, [this](const qint16* samples, qint64 count) { return encode(samples, count); });
    return {};
}

void WavFileWriter::fail(const QString& reason)
{
    std::lock_guard lock(m_failureMutex);
    if (m_failure.isEmpty())
        m_failure = reason;
}

QString WavFileWriter::firstFailure()
{
    std::lock_guard lock(m_failureMutex);
    return m_failure;
}

core::Result WavFileWriter::openSndfile(const QString& path, int format, int sampleRate)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = format;
    m_file = openForWriting(m_out.fd, &info);
    if (!m_file)
        return core::Result::failure(
            QStringLiteral("Cannot create the file \"%1\": %2").arg(path, QString::fromUtf8(sf_strerror(nullptr))));
    encoder::applySpeechEncoding(m_file, format);
    return {};
}

// The headers are written here: a disk that is already full fails the open.
core::Result WavFileWriter::openOpus(const QString& path, int sampleRate)
{
    m_opus = std::make_unique<encoder::OggOpusEncoder>(
        [this](const char* bytes, qint64 count) { return descriptorWrite(bytes, count, &m_out) == count; });
    const core::Result started = m_opus->start(sampleRate);
    if (m_out.error != 0)
        return core::Result::failure(
            QStringLiteral("Cannot create the file \"%1\": %2").arg(path, core::errnoText(m_out.error)));
    if (!started)
        return core::Result::failure(QStringLiteral("Cannot create the file \"%1\": %2").arg(path, started.error()));
    return {};
}

// The Opus encoder's result; a failed write of the file, which it sees only as such, says why.
bool WavFileWriter::keptOpusResult(const core::Result& result)
{
    if (!writeFailed() && !result)
        m_writeError = QStringLiteral("Cannot write to the file \"%1\": %2").arg(m_path, result.error());
    return m_writeError.isEmpty();
}

SNDFILE* WavFileWriter::openForWriting(int fd, SF_INFO* info)
{
    m_out = {fd, 0};
    return sf_open_virtual(&kDescriptorIo, SFM_WRITE, info, &m_out);
}

bool WavFileWriter::writeFailed()
{
    if (m_out.error != 0 && m_writeError.isEmpty())
        m_writeError = QStringLiteral("Cannot write to the file \"%1\": %2").arg(m_path, core::errnoText(m_out.error));
    return !m_writeError.isEmpty();
}

bool WavFileWriter::writeToFile(const qint16* samples, qint64 count)
{
    if (writeFailed())
        return false;
    if (m_opus)
        return keptOpusResult(m_opus->write(samples, count));
    if (m_wav && m_dataBytes + count * 2 > m_wavDataLimit && !turnIntoRf64())
        return false;
    m_dataBytes += count * 2;
    const bool written = count <= 0 || sf_write_short(m_file, samples, count) == count;
    if (writeFailed())
        return false;
    if (!written)
        m_writeError =
            QStringLiteral("Cannot write to the file \"%1\": %2").arg(m_path, QString::fromUtf8(sf_strerror(m_file)));
    return written;
}

core::Result WavFileWriter::write(const qint16* samples, qint64 count)
{
    if (!isOpen())
        return core::Result::failure(QStringLiteral("The file is not open."));
    if (!m_queue->push(samples, count))
        return core::Result::failure(firstFailure());
    return {};
}

// On the encoder thread. After the first failure the rest of the stream is not encoded: the file is lost anyway.
bool WavFileWriter::encode(const qint16* samples, qint64 count)
{
    if (!firstFailure().isEmpty())
        return false;
    bool written = true;
    if (m_resampler) {
        m_converted.clear();
        m_resampler->process(samples, count, m_converted);
        written = writeToFile(m_converted.data(), qint64(m_converted.size()));
    } else {
        written = writeToFile(samples, count);
    }
    if (!written)
        fail(m_writeError);
    return written;
}

// A WAV header cannot describe the next block. RF64 needs a larger header, so the audio so far is copied once
// behind one; libsndfile's own automatic choice between the two would give every smaller file an extended header.
bool WavFileWriter::turnIntoRf64()
{
    m_wav = false;
    const auto failed = [this](const QString& reason) {
        m_writeError = QStringLiteral("Cannot write to the file \"%1\": %2").arg(m_path, reason);
        return false;
    };
    if (sf_close(std::exchange(m_file, nullptr)) != 0 || writeFailed() || ::lseek(m_out.fd, 0, SEEK_SET) != 0)
        return m_writeError.isEmpty() ? failed(systemError()) : false;
    const int wavDescriptor = m_out.fd;
    SF_INFO wavInfo{};
    SNDFILE* wav = sf_open_fd(wavDescriptor, SFM_READ, &wavInfo, SF_FALSE);
    QString name;
    const int descriptor = createTemporary(QFileInfo(m_target).absolutePath(), &name);
    if (descriptor < 0) {
        const QString reason = systemError();
        if (wav)
            sf_close(wav);
        return failed(reason);
    }
    struct stat mode {};
    if (::fstat(wavDescriptor, &mode) == 0)
        ::fchmod(descriptor, mode.st_mode & 07777);
    SF_INFO info{};
    info.samplerate = wavInfo.samplerate;
    info.channels = 1;
    info.format = SF_FORMAT_RF64 | SF_FORMAT_PCM_16;
    // From here on the new file is the one close() puts in place, or discard() removes.
    SNDFILE* rf64 = wav ? openForWriting(descriptor, &info) : nullptr;
    m_out.fd = descriptor;
    bool copied = wav && rf64;
    std::vector<qint16> block(1 << 20);
    for (sf_count_t read = 0; copied && (read = sf_read_short(wav, block.data(), sf_count_t(block.size()))) > 0;)
        copied = sf_write_short(rf64, block.data(), read) == read;
    if (wav)
        sf_close(wav);
    ::close(wavDescriptor);
    QFile::remove(m_temporary);
    m_temporary = name;
    m_file = rf64;
    if (writeFailed())
        return false;
    if (!copied)
        return failed(QString::fromUtf8(sf_strerror(rf64)));
    return true;
}

core::Result WavFileWriter::close()
{
    if (!isOpen())
        return {};
    // From here on this thread owns the encoder's state again.
    (void)m_queue->finish(); // its failure is the first one kept
    m_queue.reset();
    if (const QString failure = firstFailure(); !failure.isEmpty())
        m_writeError = failure;
    if (m_resampler) {
        m_converted.clear();
        m_resampler->flush(m_converted);
        writeToFile(m_converted.data(), qint64(m_converted.size()));
    }
    // The encoders write their last frames and the header here: their writes are checked as well.
    const int result = m_file ? sf_close(m_file) : 0;
    m_file = nullptr;
    if (m_opus && m_writeError.isEmpty())
        (void)keptOpusResult(m_opus->finish()); // kept in m_writeError
    m_opus.reset();
    writeFailed();
    QString message = m_writeError;
    if (message.isEmpty() && result != 0)
        message =
            QStringLiteral("Cannot finish the file \"%1\": %2").arg(m_path, QString::fromUtf8(sf_error_number(result)));
    // On disk before it takes the old file's place, so a crash cannot leave a replaced but empty file.
    if (message.isEmpty() && (::fsync(m_out.fd) != 0 || ::close(std::exchange(m_out.fd, -1)) != 0))
        message = QStringLiteral("Cannot finish the file \"%1\": %2").arg(m_path, systemError());
    if (message.isEmpty() &&
        ::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
        message = QStringLiteral("Cannot replace the file \"%1\": %2").arg(m_path, systemError());
    if (message.isEmpty()) {
        m_temporary.clear();
        return {};
    }
    discard();
    return core::Result::failure(message);
}

void WavFileWriter::discard()
{
    m_queue.reset(); // drops what is queued and waits for the block being encoded
    m_opus.reset();
    if (m_file) {
        sf_close(m_file);
        m_file = nullptr;
    }
    if (m_out.fd >= 0) {
        ::close(m_out.fd);
        m_out.fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        QFile::remove(m_temporary);
        m_temporary.clear();
    }
    m_resampler.reset();
}

} // namespace speech
