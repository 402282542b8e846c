#include "speech/espeak/WavFileWriter.h"

#include <QFile>

namespace speech {

WavFileWriter::~WavFileWriter()
{
    close(nullptr);
}

bool WavFileWriter::open(const QString& path, int sampleRate, QString* error)
{
    close(nullptr);
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    m_file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!m_file) {
        if (error)
            *error = QStringLiteral("Cannot create the WAV file \"%1\": %2")
                         .arg(path, QString::fromUtf8(sf_strerror(nullptr)));
        return false;
    }
    m_sampleRate = sampleRate;
    m_path = path;
    m_writeError.clear();
    return true;
}

bool WavFileWriter::write(const qint16* samples, qint64 count, QString* error)
{
    if (!m_file) {
        if (error)
            *error = QStringLiteral("The WAV file is not open.");
        return false;
    }
    if (count > 0 && sf_write_short(m_file, samples, count) != count) {
        const QString message = QStringLiteral("Cannot write to the WAV file \"%1\": %2")
                                    .arg(m_path, QString::fromUtf8(sf_strerror(m_file)));
        if (m_writeError.isEmpty())
            m_writeError = message;
        if (error)
            *error = message;
        return false;
    }
    return true;
}

bool WavFileWriter::close(QString* error)
{
    if (!m_file)
        return true;
    const int result = sf_close(m_file);
    m_file = nullptr;
    if (!m_writeError.isEmpty()) {
        if (error)
            *error = m_writeError;
        return false;
    }
    if (result != 0) {
        if (error)
            *error = QStringLiteral("Cannot finish the WAV file \"%1\": %2")
                         .arg(m_path, QString::fromUtf8(sf_error_number(result)));
        return false;
    }
    return true;
}

} // namespace speech
