#include "speech/espeak/WavFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace speech {

namespace {

struct FileFormat {
    const char* extension; // lower case, with the dot
    int format;
    bool opusRates; // Opus takes 8, 12, 16, 24 and 48 kHz only
};

// Anything not listed here is written as WAV.
constexpr FileFormat kFormats[] = {
    {".mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, false},
    {".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, false},
    {".opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, true},
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

// Creates a new, unique file in folder; -1 with errno set when that fails.
int createTemporary(const QString& folder, QString* name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name =
            folder +
            QStringLiteral("/.sprechkit-%1.part").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
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

bool WavFileWriter::fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool WavFileWriter::open(const QString& path, int sampleRate, QString* error)
{
    discard();
    if (path.isEmpty())
        return fail(error, QStringLiteral("No file name was given."));
    // A name that the file system would cut short (at a NUL) or spell differently must not write some other file.
    if (path.contains(QChar(0)) || QFile::decodeName(QFile::encodeName(path)) != path)
        return fail(error, QStringLiteral("The file name \"%1\" holds a character that a file name cannot hold.")
                               .arg(QString(path).replace(QChar(0), QLatin1String("\\0"))));

    // Replacing a symbolic link would cut it off from its file: write where it points.
    const QFileInfo asked(path);
    m_target = asked.isSymLink() ? asked.symLinkTarget() : asked.absoluteFilePath();
    const QFileInfo target(m_target);
    struct stat existing {};
    const bool exists = ::stat(QFile::encodeName(m_target).constData(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return fail(error, QStringLiteral("Cannot create the file \"%1\": it is not a regular file.").arg(path));
    // A rename would get round a write protection.
    if (exists && ::access(QFile::encodeName(m_target).constData(), W_OK) != 0)
        return fail(error, QStringLiteral("Cannot create the file \"%1\": it is write-protected.").arg(path));

    m_descriptor = createTemporary(target.absolutePath(), &m_temporary);
    if (m_descriptor < 0) {
        const QString reason = systemError();
        m_temporary.clear();
        return fail(error, QStringLiteral("Cannot create the file \"%1\": %2").arg(path, reason));
    }
    if (exists)
        ::fchmod(m_descriptor, existing.st_mode & 07777); // a file written anew keeps its permissions

    const FileFormat format = formatOf(path); // the name asked for, even through a link
    SF_INFO info{};
    info.samplerate = format.opusRates ? opusRateFor(sampleRate) : sampleRate;
    info.channels = 1;
    info.format = format.format;
    m_file = sf_open_fd(m_descriptor, SFM_WRITE, &info, SF_FALSE);
    if (!m_file) {
        const QString reason = QString::fromUtf8(sf_strerror(nullptr));
        discard();
        return fail(error, QStringLiteral("Cannot create the file \"%1\": %2").arg(path, reason));
    }
    if (info.samplerate != sampleRate) {
        m_resampler = std::make_unique<Resampler>(sampleRate, info.samplerate);
        if (!m_resampler->isValid()) {
            discard();
            return fail(
                error,
                QStringLiteral("Cannot create the file \"%1\": no resampler to %2 Hz.").arg(path).arg(info.samplerate));
        }
    }
    m_wav = (format.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV;
    m_dataBytes = 0;
    m_sampleRate = sampleRate;
    m_path = path;
    m_writeError.clear();
    return true;
}

bool WavFileWriter::writeToFile(const qint16* samples, qint64 count)
{
    if (!m_writeError.isEmpty())
        return false;
    if (m_wav && m_dataBytes + count * 2 > m_wavDataLimit && !turnIntoRf64())
        return false;
    m_dataBytes += count * 2;
    if (count > 0 && sf_write_short(m_file, samples, count) != count) {
        if (m_writeError.isEmpty())
            m_writeError = QStringLiteral("Cannot write to the file \"%1\": %2")
                               .arg(m_path, QString::fromUtf8(sf_strerror(m_file)));
        return false;
    }
    return true;
}

bool WavFileWriter::write(const qint16* samples, qint64 count, QString* error)
{
    if (!isOpen())
        return fail(error, QStringLiteral("The file is not open."));
    bool written = true;
    if (m_resampler) {
        m_converted.clear();
        m_resampler->process(samples, count, m_converted);
        written = writeToFile(m_converted.data(), qint64(m_converted.size()));
    } else {
        written = writeToFile(samples, count);
    }
    return written || fail(error, m_writeError);
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
    if (sf_close(std::exchange(m_file, nullptr)) != 0 || ::lseek(m_descriptor, 0, SEEK_SET) != 0)
        return failed(systemError());
    SF_INFO wavInfo{};
    SNDFILE* wav = sf_open_fd(m_descriptor, SFM_READ, &wavInfo, SF_FALSE);
    QString name;
    const int descriptor = createTemporary(QFileInfo(m_target).absolutePath(), &name);
    if (descriptor < 0) {
        const QString reason = systemError();
        if (wav)
            sf_close(wav);
        return failed(reason);
    }
    struct stat mode {};
    if (::fstat(m_descriptor, &mode) == 0)
        ::fchmod(descriptor, mode.st_mode & 07777);
    SF_INFO info{};
    info.samplerate = wavInfo.samplerate;
    info.channels = 1;
    info.format = SF_FORMAT_RF64 | SF_FORMAT_PCM_16;
    SNDFILE* rf64 = wav ? sf_open_fd(descriptor, SFM_WRITE, &info, SF_FALSE) : nullptr;
    bool copied = wav && rf64;
    std::vector<qint16> block(1 << 20);
    for (sf_count_t read = 0; copied && (read = sf_read_short(wav, block.data(), sf_count_t(block.size()))) > 0;)
        copied = sf_write_short(rf64, block.data(), read) == read;
    if (wav)
        sf_close(wav);
    // From here on the new file is the one close() puts in place, or discard() removes.
    ::close(m_descriptor);
    QFile::remove(m_temporary);
    m_descriptor = descriptor;
    m_temporary = name;
    m_file = rf64;
    if (!copied)
        return failed(QString::fromUtf8(sf_strerror(rf64)));
    return true;
}

bool WavFileWriter::close(QString* error)
{
    if (!isOpen())
        return true;
    if (m_resampler) {
        m_converted.clear();
        m_resampler->flush(m_converted);
        writeToFile(m_converted.data(), qint64(m_converted.size()));
    }
    const int result = m_file ? sf_close(m_file) : 0;
    m_file = nullptr;
    QString message = m_writeError;
    if (message.isEmpty() && result != 0)
        message =
            QStringLiteral("Cannot finish the file \"%1\": %2").arg(m_path, QString::fromUtf8(sf_error_number(result)));
    // On disk before it takes the old file's place, so a crash cannot leave a replaced but empty file.
    if (message.isEmpty() && (::fsync(m_descriptor) != 0 || ::close(std::exchange(m_descriptor, -1)) != 0))
        message = QStringLiteral("Cannot finish the file \"%1\": %2").arg(m_path, systemError());
    if (message.isEmpty() &&
        ::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
        message = QStringLiteral("Cannot replace the file \"%1\": %2").arg(m_path, systemError());
    if (message.isEmpty()) {
        m_temporary.clear();
        return true;
    }
    discard();
    return fail(error, message);
}

void WavFileWriter::discard()
{
    if (m_file) {
        sf_close(m_file);
        m_file = nullptr;
    }
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporary.isEmpty()) {
        QFile::remove(m_temporary);
        m_temporary.clear();
    }
    m_resampler.reset();
}

} // namespace speech
