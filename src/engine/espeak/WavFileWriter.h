#pragma once

#include "base/core/Result.h"
#include "engine/espeak/EncoderQueue.h"
#include "engine/espeak/OggOpusEncoder.h"
#include "engine/espeak/Resampler.h"

#include <QString>

#include <sndfile.h>

#include <memory>
#include <mutex>
#include <vector>

namespace speech {

// A 16-bit mono audio file written as the audio arrives, so memory does not grow with the text. The name's
// extension picks the format: ".mp3", ".ogg" (Vorbis), ".opus" or ".flac" in any case; every other name is a
// plain WAV file with the usual 44-byte header, which becomes RF64 only when its data outgrows the 32-bit sizes of
// that header.
//
// The audio goes into a temporary file beside the target, which replaces the target only when close() succeeds:
// a render that fails half-way (a full disk, an aborted stream) leaves an older file of that name untouched.
// Temporary files of renders that never ended and were last written more than a day ago are removed from the
// target's folder when the next file is opened there.
//
// Encoding runs on a thread of its own behind a queue of a few seconds of audio, so it overlaps the synthesis; a
// write that fails there is reported by a later write() and by close(). Only write() and fail() may be called
// from another thread than the one that opens and closes the file, and not at the same time as those.
class WavFileWriter {
public:
    WavFileWriter() = default;
    ~WavFileWriter();
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    // Prepares the file; the target itself is replaced by close(). sampleRate is the rate of the audio handed to
    // write(); a format that cannot hold it (Opus) gets it resampled to its next rate up.
    core::Result open(const QString& path, int sampleRate);
    // Queues the audio for the encoder, waiting while the queue is full. A failure is also kept and reported again
    // by close(); one of the encoder may show only there.
    core::Result write(const qint16* samples, qint64 count);
    // Bytes of audio data above which a WAV file turns into RF64; tests lower it to cross it without writing 4 GiB.
    void setWavDataLimit(qint64 bytes) { m_wavDataLimit = bytes; }
    // Finishes the file and puts it in place of the target; on failure the target is left as it was.
    core::Result close();
    // Drops what was written; the target stays as it was.
    void discard();
    // The stream behind the file failed (the synthesizer, the resampler): close() reports it and keeps the target.
    void fail(const QString& reason);

    bool isOpen() const { return m_queue != nullptr; }
    // The rate of the audio that write() takes (the file's rate may be higher, see open()).
    int sampleRate() const { return m_sampleRate; }
    QString path() const { return m_path; }

    // Every byte goes to the file through this, so that a failed write is seen whichever encoder made it (the MP3
    // encoder does not check its writes).
    struct Descriptor {
        int fd = -1;
        int error = 0; // errno of the first failed write
    };

private:
    bool encode(const qint16* samples, qint64 count);
    QString firstFailure();
    bool writeToFile(const qint16* samples, qint64 count);
    bool turnIntoRf64();
    core::Result openSndfile(const QString& path, int format, int sampleRate);
    core::Result openOpus(const QString& path, int sampleRate);
    bool keptOpusResult(const core::Result& result);
    SNDFILE* openForWriting(int fd, SF_INFO* info);
    bool writeFailed();

    SNDFILE* m_file = nullptr;                       // every format but Opus
    std::unique_ptr<encoder::OggOpusEncoder> m_opus; // Opus
    Descriptor m_out;                                // what the encoder writes to; its address is libsndfile's handle
    int m_sampleRate = 0;
    QString m_path;       // as asked for
    QString m_target;     // what close() replaces (a symbolic link resolved)
    QString m_temporary;  // where the audio goes until then
    QString m_writeError; // the encoder thread's while it runs, like the file's state above and below
    bool m_wav = false;
    qint64 m_dataBytes = 0;
    qint64 m_wavDataLimit = 0xFFFFFFFFLL + 8 - 44 - 1; // the RIFF size counts the file but its first 8 bytes
    std::unique_ptr<Resampler> m_resampler;
    std::vector<qint16> m_converted;
    // The first failure of the stream or the encoder, for the threads that do not own the encoder's state.
    std::mutex m_failureMutex;
    QString m_failure;
    std::unique_ptr<encoder::EncoderQueue> m_queue; // set while the file is open
};

} // namespace speech
