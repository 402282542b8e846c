#include "engine/espeak/Resampler.h"

#include <soxr.h>

namespace speech {

Resampler::Resampler(int inputRate, int outputRate)
    : m_inputRate(inputRate)
    , m_outputRate(outputRate)
{
    if (inputRate == outputRate)
        return;
    soxr_error_t error = nullptr;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    m_soxr = soxr_create(inputRate, outputRate, 1, &error, &io, &quality, nullptr);
    if (error)
        m_soxr = nullptr;
}

Resampler::~Resampler()
{
    if (m_soxr)
        soxr_delete(m_soxr);
}

void Resampler::process(const qint16* samples, qint64 count, std::vector<qint16>& out)
{
    if (!m_soxr) {
        out.insert(out.end(), samples, samples + count);
        return;
    }
    while (count > 0) {
        // Room for the converted input plus what the filter released from before.
        const size_t room = size_t(count * m_outputRate / m_inputRate + 1024);
        const size_t before = out.size();
        out.resize(before + room);
        size_t used = 0;
        size_t produced = 0;
        soxr_process(m_soxr, samples, size_t(count), &used, out.data() + before, room, &produced);
        out.resize(before + produced);
        if (used == 0 && produced == 0)
            break;
        samples += used;
        count -= qint64(used);
    }
}

void Resampler::flush(std::vector<qint16>& out)
{
    if (!m_soxr)
        return;
    for (;;) {
        const size_t before = out.size();
        out.resize(before + 4096);
        size_t produced = 0;
        soxr_process(m_soxr, nullptr, 0, nullptr, out.data() + before, 4096, &produced);
        out.resize(before + produced);
        if (produced == 0)
            break;
    }
}

qint64 Resampler::outputSampleOf(qint64 inputSample) const
{
    return (inputSample * m_outputRate + m_inputRate / 2) / m_inputRate;
}

} // namespace speech
