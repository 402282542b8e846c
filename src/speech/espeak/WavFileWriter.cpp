#include "speech/espeak/WavFileWriter.h"

#include <QFile>

namespace speech {

WavFileWriter::~WavFileWriter()
{
    // A file still open here was abandoned (its stream was never closed): nobody waits for its error.
    (void)close();
}

core::Result WavFileWriter::open(const QString& path, int sampleRate)
{
    // The same: a previous file is abandoned by opening another.
    (void)close();
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    m_file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!m_file)
        return core::Result::failure(
            QStringLiteral("Cannot create the WAV file \"%1\": %2").arg(path, QString::fromUtf8(sf_strerror(nullptr))));
    m_sampleRate = sampleRate;
    m_path = path;
    m_writeError.clear();
    return {};
}

core::Result WavFileWriter::write(const qint16* samples, qint64 count)
{
    if (!m_file)
        return core::Result::failure(QStringLiteral("The WAV file is not open."));
    if (count > 0 && sf_write_short(m_file, samples, count) != count) {
        const QString message = QStringLiteral("Cannot write to the WAV file \"%1\": %2")
                                    .arg(m_path, QString::fromUtf8(sf_strerror(m_file)));
        if (m_writeError.isEmpty())
            m_writeError = message;
        return core::Result::failure(message);
    }
    return {};
}

core::Result WavFileWriter::close()
{
    if (!m_file)
        return {};
    const int result = sf_close(m_file);
    m_file = nullptr;
    if (!m_writeError.isEmpty())
        return core::Result::failure(m_writeError);
    if (result != 0)
        return core::Result::failure(QStringLiteral("Cannot finish the WAV file \"%1\": %2")
                                         .arg(m_path, QString::fromUtf8(sf_error_number(result))));
    return {};
}

} // namespace speech
