#pragma once

#include <QtGlobal>

#include <vector>

struct soxr;

namespace speech {

// Streaming 16-bit mono sample-rate conversion (libsoxr, high quality). At equal rates the samples pass unchanged.
class Resampler {
public:
    Resampler(int inputRate, int outputRate);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    bool isValid() const { return m_inputRate == m_outputRate || m_soxr != nullptr; }
    // Appends the converted samples to out.
    void process(const qint16* samples, qint64 count, std::vector<qint16>& out);
    // Appends what the filter still holds; call once at the end of the stream.
    void flush(std::vector<qint16>& out);

    // Where input sample number inputSample lands in the output.
    qint64 outputSampleOf(qint64 inputSample) const;

private:
    int m_inputRate;
    int m_outputRate;
    soxr* m_soxr = nullptr;
};

} // namespace speech
