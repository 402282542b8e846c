#pragma once

#include "core/Result.h"

#include <QString>

#include <sndfile.h>

namespace speech {

// A 16-bit mono PCM WAV file written as the audio arrives, so memory does not grow with the text.
class WavFileWriter {
public:
    WavFileWriter() = default;
    ~WavFileWriter();
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    // Creates or truncates the file.
    core::Result open(const QString& path, int sampleRate);
    // A failure is also kept and reported again by close().
    core::Result write(const qint16* samples, qint64 count);
    // Finishes the header; the file is complete on disk afterwards.
    core::Result close();

    bool isOpen() const { return m_file != nullptr; }
    int sampleRate() const { return m_sampleRate; }
    QString path() const { return m_path; }

private:
    SNDFILE* m_file = nullptr;
    int m_sampleRate = 0;
    QString m_path;
    QString m_writeError;
};

} // namespace speech
