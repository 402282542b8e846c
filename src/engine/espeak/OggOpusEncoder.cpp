#include "engine/espeak/OggOpusEncoder.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <opus.h>

#include <algorithm>
#include <utility>

namespace encoder {

namespace {

// A voice needs far fewer bits than Opus's default, which is made for music; the file is about two thirds of
// what opusenc makes at its defaults.
constexpr opus_int32 kBitsPerSecond = 28000;
// Complexities come in steps that code speech at these rates alike (0, 1, 2-3, 4-5, 6-7, 8-10). None keeps up with
// espeak-ng, which speaks the export benchmark's 100 KB of text (101 minutes) in about 4 s: at 24 kHz this encoder
// takes some 15 s for them at 0, 30 s at 4, 41 s at 6 and 68 s at 8, where an export gets nearly as slow as piping
// espeak-ng into opusenc. 6 is the highest step well below that; its spectrum comes near that of 10 and much
// nearer than that of 3 and below.
constexpr int kComplexity = 6;
constexpr int kFramesPerSecond = 50;         // 20 ms frames
constexpr int kGranuleRate = 48000;          // Ogg Opus counts its granule positions at 48 kHz, whatever the rate
constexpr opus_int32 kMaxPacketBytes = 1275; // the most one frame of one channel can take

void appendLittleEndian(QByteArray& bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xFF));
}

// RFC 7845 section 5.1: one channel, no mapping table.
QByteArray identificationHeader(int sampleRate, qint64 preSkip)
{
    QByteArray head("OpusHead");
    head.append(char(1)); // version
    head.append(char(1)); // channels
    appendLittleEndian(head, quint32(preSkip), 2);
    appendLittleEndian(head, quint32(sampleRate), 4);
    appendLittleEndian(head, 0, 2); // output gain
    head.append(char(0));           // mapping family: mono or stereo
    return head;
}

// RFC 7845 section 5.2. No comments: the tags of a book's files are added later, by TagWriter.
QByteArray commentHeader()
{
    const QByteArray vendor(opus_get_version_string());
    QByteArray tags("OpusTags");
    appendLittleEndian(tags, quint32(vendor.size()), 4);
    tags.append(vendor);
    appendLittleEndian(tags, 0, 4);
    return tags;
}

} // namespace

OggOpusEncoder::OggOpusEncoder(Sink sink)
    : m_sink(std::move(sink))
{
}

OggOpusEncoder::~OggOpusEncoder()
{
    if (m_opus)
        opus_encoder_destroy(m_opus);
    if (m_oggReady)
        ogg_stream_clear(&m_ogg);
}

core::Result OggOpusEncoder::failure(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return core::Result::failure(m_error);
}

core::Result OggOpusEncoder::start(int sampleRate)
{
    int error = OPUS_OK;
    m_opus = opus_encoder_create(sampleRate, 1, OPUS_APPLICATION_AUDIO, &error);
    if (!m_opus)
        return failure(QStringLiteral("The Opus encoder does not start at %1 Hz: %2.")
                           .arg(sampleRate)
                           .arg(QString::fromUtf8(opus_strerror(error))));
    opus_encoder_ctl(m_opus, OPUS_SET_BITRATE(kBitsPerSecond));
    opus_encoder_ctl(m_opus, OPUS_SET_VBR(1));
    opus_encoder_ctl(m_opus, OPUS_SET_SIGNAL(OPUS_SIGNAL_VOICE));
    opus_encoder_ctl(m_opus, OPUS_SET_COMPLEXITY(kComplexity));
    opus_encoder_ctl(m_opus, OPUS_SET_LSB_DEPTH(16));
    opus_int32 lookahead = 0;
    opus_encoder_ctl(m_opus, OPUS_GET_LOOKAHEAD(&lookahead));
    m_frameSamples = sampleRate / kFramesPerSecond;
    m_granuleFactor = kGranuleRate / sampleRate;
    m_preSkip = qint64(lookahead) * m_granuleFactor;
    m_frame.reserve(size_t(m_frameSamples));

    // A random serial number, so that streams chained or multiplexed into one file stay apart.
    if (ogg_stream_init(&m_ogg, int(QRandomGenerator::global()->generate() >> 1)) != 0)
        return failure(QStringLiteral("The Ogg stream cannot be set up."));
    m_oggReady = true;
    // Each header on a page of its own.
    for (const QByteArray& header : {identificationHeader(sampleRate, m_preSkip), commentHeader()}) {
        ogg_packet packet{};
        packet.packet = reinterpret_cast<unsigned char*>(const_cast<char*>(header.constData()));
        packet.bytes = header.size();
        packet.b_o_s = m_packetNo == 0;
        packet.packetno = m_packetNo++;
        if (ogg_stream_packetin(&m_ogg, &packet) != 0)
            return failure(QStringLiteral("The Ogg stream cannot take the Opus headers."));
        if (!writePages(true))
            return failure(QStringLiteral("The Opus headers cannot be written."));
    }
    return {};
}

core::Result OggOpusEncoder::write(const qint16* samples, qint64 count)
{
    if (!m_error.isEmpty())
        return core::Result::failure(m_error);
    if (!m_opus)
        return core::Result::failure(QStringLiteral("The Opus stream is not open."));
    while (count > 0) {
        const qint64 taken = std::min(count, qint64(m_frameSamples) - qint64(m_frame.size()));
        m_frame.insert(m_frame.end(), samples, samples + taken);
        samples += taken;
        count -= taken;
        m_written += taken;
        if (qint64(m_frame.size()) == m_frameSamples)
            if (const core::Result encoded = encodeFrame(false); !encoded)
                return encoded;
    }
    return {};
}

core::Result OggOpusEncoder::finish()
{
    if (!m_error.isEmpty())
        return core::Result::failure(m_error);
    if (!m_opus)
        return core::Result::failure(QStringLiteral("The Opus stream is not open."));
    // The decoder gives out the audio the encoder's delay later: frames of silence follow until it has given out
    // the last sample written. The written samples are fewer than a frame past the encoded ones, so there is one
    // frame at least, and the last one is the end of the stream.
    const qint64 end = m_written + m_preSkip / m_granuleFactor;
    for (;;) {
        const bool last = m_encoded + m_frameSamples >= end;
        if (const core::Result encoded = encodeFrame(last); !encoded || last) {
            opus_encoder_destroy(std::exchange(m_opus, nullptr));
            return encoded;
        }
    }
}

core::Result OggOpusEncoder::encodeFrame(bool last)
{
    m_frame.resize(size_t(m_frameSamples), 0); // the last frame is padded with silence
    unsigned char bytes[kMaxPacketBytes];
    const opus_int32 size = opus_encode(m_opus, m_frame.data(), m_frameSamples, bytes, kMaxPacketBytes);
    m_frame.clear();
    if (size < 0)
        return failure(
            QStringLiteral("The audio cannot be encoded as Opus: %1.").arg(QString::fromUtf8(opus_strerror(size))));
    m_encoded += m_frameSamples;
    ogg_packet packet{};
    packet.packet = bytes;
    packet.bytes = size;
    packet.e_o_s = last;
    // The granule position counts the samples decoded up to the end of the packet, the pre-skip included. The last
    // one cuts the padding off: the pre-skip plus exactly what was written. The cap leaves every other one as it is.
    packet.granulepos = std::min(m_encoded * m_granuleFactor, m_preSkip + m_written * m_granuleFactor);
    packet.packetno = m_packetNo++;
    if (ogg_stream_packetin(&m_ogg, &packet) != 0)
        return failure(QStringLiteral("The Ogg stream cannot take an Opus packet."));
    if (!writePages(last))
        return failure(QStringLiteral("The Opus stream cannot be written."));
    return {};
}

// Writes the pages that are full, or with flush every page, the last one part-filled.
bool OggOpusEncoder::writePages(bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&m_ogg, &page) : ogg_stream_pageout(&m_ogg, &page)) {
        if (!m_sink(reinterpret_cast<const char*>(page.header), page.header_len) ||
            !m_sink(reinterpret_cast<const char*>(page.body), page.body_len))
            return false;
    }
    return true;
}

} // namespace encoder
