#include "wav/RenderJob.h"

#include "speech/Voice.h"

namespace wav {

RenderJob::RenderJob(speech::Voice& voice, Steps steps)
    : m_voice(voice)
    , m_steps(std::move(steps))
{
}

core::Result RenderJob::run(const QString& path, int formatCode, quint32 flags)
{
    Progress* progress = m_steps.progress;
    if (progress)
        m_voice.setRenderProgress([progress](int percent) { return progress->report(percent); });
    bool streamOpen = false;
    const core::Result rendered = render(path, formatCode, flags, streamOpen);
    // Before any box: the progress dialog's input filter would keep the box from taking a click or a key.
    m_voice.setRenderProgress({});
    if (progress)
        progress->finish();
    if (rendered)
        return {};

    const QString prefix = QStringLiteral("Save to WAV ''") + path + QStringLiteral("'' Error: ");
    log(prefix + rendered.error());
    if (streamOpen) {
        // Speech must not keep going into a broken file: back to the device, then drop the stream, so that the
        // failed or cancelled render leaves no partial file and does not replace an older file of that name.
        backToDevice();
        m_voice.discardFileStream();
    }
    return core::Result::failure(prefix + rendered.error());
}

core::Result RenderJob::render(const QString& path, int formatCode, quint32 flags, bool& streamOpen)
{
    const core::ResultOf<QString> text = m_steps.text();
    if (!text)
        return text.result();
    if (core::Result opened = m_voice.openFileStream(path, formatCode); !opened)
        return opened;
    streamOpen = true;
    log(QStringLiteral("Save to ") + path + QStringLiteral(" ..."));
    if (const core::ResultOf<int> stream = m_voice.speak(text.value(), flags); !stream)
        return stream.result();
    m_voice.waitUntilDone(-1);
    if (m_steps.progress && m_steps.progress->cancelled())
        return core::Result::failure(speech::Voice::cancelledError());
    backToDevice(); // as if the user re-selected the device
    streamOpen = false;
    return m_voice.closeFileStream();
}

void RenderJob::log(const QString& line) const
{
    if (m_steps.log)
        m_steps.log(line);
}

void RenderJob::backToDevice() const
{
    if (m_steps.backToDevice)
        m_steps.backToDevice();
}

} // namespace wav
