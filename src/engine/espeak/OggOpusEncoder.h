#pragma once

#include "base/core/Result.h"

#include <QtGlobal>

#include <functional>
#include <vector>

#include <ogg/ogg.h>

struct OpusEncoder;

namespace encoder {

// A stream of 16-bit mono audio encoded as Ogg Opus (RFC 7845), set for a single speaking voice: 20 ms frames at
// 28 kbit/s, variable bit rate, at a complexity chosen for speed. The stream's end is trimmed to the sample, so a
// decoder gives back exactly as many samples as were written.
//
// Every byte goes to the sink; the stream stops at the first write the sink reports as failed.
class OggOpusEncoder {
public:
    // Writes count bytes; false when not all of them were written.
    using Sink = std::function<bool(const char* bytes, qint64 count)>;

    explicit OggOpusEncoder(Sink sink);
    ~OggOpusEncoder();
    OggOpusEncoder(const OggOpusEncoder&) = delete;
    OggOpusEncoder& operator=(const OggOpusEncoder&) = delete;

    // Opus takes 8000, 12000, 16000, 24000 or 48000 Hz. Writes the two header pages.
    core::Result start(int sampleRate);
    core::Result write(const qint16* samples, qint64 count);
    // Encodes what is left, padded to a frame, and writes the last page. Nothing may be written after it.
    core::Result finish();

private:
    core::Result encodeFrame(bool last);
    bool writePages(bool flush);
    core::Result failure(const QString& reason);

    Sink m_sink;
    OpusEncoder* m_opus = nullptr;
    ogg_stream_state m_ogg{};
    bool m_oggReady = false;
    int m_frameSamples = 0;  // one 20 ms frame at the input rate
    int m_granuleFactor = 0; // granule positions count 48 kHz samples
    qint64 m_preSkip = 0;    // 48 kHz samples the decoder drops at the start: the encoder's delay
    qint64 m_written = 0;    // input samples
    qint64 m_encoded = 0;    // input samples in encoded frames, padding included
    ogg_int64_t m_packetNo = 0;
    std::vector<qint16> m_frame; // the frame being filled
    QString m_error;             // the first failure; the stream ends there
};

} // namespace encoder
