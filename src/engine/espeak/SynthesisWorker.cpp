#include "engine/espeak/SynthesisWorker.h"

#include "base/speech/TextPositionMapper.h"
#include "engine/espeak/EspeakCalls.h"
#include "engine/espeak/SplitRender.h"
#include "engine/espeak/StreamRenderer.h"
#include "engine/espeak/VoiceCatalog.h"

#include <future>

namespace speech {

namespace {

// The synthesis in progress, reached from espeak-ng's C callback (always on the worker thread).
struct ActiveSynthesis {
    StreamRenderer* renderer = nullptr;
    quint64 generation = 0;
    const std::atomic<quint64>* abortedUpTo = nullptr;
    bool failed = false;     // aborted, or the output refused more
    bool partOfText = false; // the text goes on in a helper process
};
ActiveSynthesis* g_active = nullptr;

int synthCallback(short* samples, int count, espeak_EVENT* events)
{
    ActiveSynthesis* active = g_active;
    if (!active || active->failed)
        return 1;
    if (active->generation <= active->abortedUpTo->load()) {
        active->failed = true;
        return 1;
    }
    // The level of this buffer first: it lies at the buffer's start, before its events.
    if (samples && count > 0 && !active->renderer->level(samples, count)) {
        active->failed = true;
        return 1;
    }
    // Events before the audio: they describe audio of this call, and the player must know them before it plays it.
    for (espeak_EVENT* e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        std::optional<RawEvent> raw = rawEventOf(*e);
        // A text split across processes ends after the last run, not this one.
        if (!raw || (raw->kind == RawEvent::Kind::End && active->partOfText))
            continue;
        if (!active->renderer->event(*raw)) {
            active->failed = true;
            return 1;
        }
    }
    if (samples && count > 0 && !active->renderer->audio(samples, count)) {
        active->failed = true;
        return 1;
    }
    return 0;
}

// Without this, espeak-ng opens the file an <audio> element names and converts it by running "sox" through the
// shell with the name in the command line: a text could run commands, block on a FIFO or crash the synthesizer.
// Refusing every file makes it speak the element's alternative text.
int uriCallback(int type, const char* uri, const char* base)
{
    Q_UNUSED(type)
    Q_UNUSED(base)
    if (ActiveSynthesis* active = g_active;
        active && !active->failed && !active->renderer->audioRefused(QString::fromUtf8(uri ? uri : "")))
        active->failed = true;
    return 1;
}

} // namespace

SynthesisWorker::SynthesisWorker()
    : m_thread([this] { run(); })
{
    m_thread.detach();
}

SynthesisWorker& SynthesisWorker::shared()
{
    // Deliberately never destroyed: the thread runs until the process ends.
    static SynthesisWorker* worker = new SynthesisWorker;
    return *worker;
}

void SynthesisWorker::post(std::function<void()> job)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_all();
}

void SynthesisWorker::call(const std::function<void()>& job)
{
    std::promise<void> done;
    post([&] {
        job();
        done.set_value();
    });
    done.get_future().wait();
}

bool SynthesisWorker::callIfIdle(const std::function<void()>& job)
{
    std::promise<void> done;
    {
        std::lock_guard lock(m_mutex);
        if (m_busy || !m_jobs.empty())
            return false;
        m_jobs.push_back([&] {
            job();
            done.set_value();
        });
    }
    m_wake.notify_all();
    done.get_future().wait();
    return true;
}

void SynthesisWorker::run()
{
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(m_mutex);
            m_busy = false;
            m_wake.wait(lock, [this] { return !m_jobs.empty(); });
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_busy = true;
        }
        job();
    }
}

core::Result SynthesisWorker::initialize()
{
    call([this] {
        if (m_sampleRate > 0)
            return;
        m_sampleRate = initializeEspeak(synthCallback, uriCallback);
    });
    if (m_sampleRate <= 0) {
        m_sampleRate = 0;
        return core::Result::failure(QStringLiteral(
            "The espeak-ng speech synthesizer could not be initialized (its data files may be missing)."));
    }
    return {};
}

QList<Token> SynthesisWorker::voices()
{
    QList<Token> result;
    call([&] { result = VoiceCatalog::installedVoices(); });
    return result;
}

bool SynthesisWorker::applyVoice(const QString& id)
{
    if (id == m_currentVoice)
        return true;
    if (espeak_SetVoiceByName(id.toUtf8().constData()) != EE_OK)
        return false;
    m_currentVoice = id;
    return true;
}

core::Result SynthesisWorker::checkVoice(const QString& id)
{
    bool ok = true;
    // Only when nothing is being synthesized: a running stream can take as long as it is heard. Otherwise a
    // voice that cannot be loaded fails the stream that asks for it.
    callIfIdle([&] { ok = m_sampleRate > 0 && applyVoice(id); });
    if (!ok)
        return core::Result::failure(QStringLiteral("The voice \"%1\" cannot be loaded.").arg(id));
    return {};
}

void SynthesisWorker::synthesize(SpeechRequest request, quint64 generation, AbortMark aborted, OutputFactory makeOutput)
{
    post([this, request = std::move(request), generation, aborted = std::move(aborted),
          makeOutput = std::move(makeOutput)] {
        if (generation <= aborted->load())
            return;
        render(request, generation, aborted, makeOutput);
    });
}

void SynthesisWorker::render(const SpeechRequest& request, quint64 generation, const AbortMark& aborted,
                             const OutputFactory& makeOutput)
{
    std::unique_ptr<StreamOutput> output = makeOutput(request);
    StreamRenderer renderer(request, m_sampleRate > 0 ? m_sampleRate : 22050, *output);
    if (!renderer.begin())
        return;
    if (m_sampleRate <= 0)
        return renderer.fail(QStringLiteral("The espeak-ng speech synthesizer is not initialized."));
    // Speaking on with the voice before would hide the failure from the user.
    if (!applyVoice(request.voiceId))
        return renderer.fail(QStringLiteral("The voice \"%1\" cannot be loaded.").arg(request.voiceId));
    applySpeechParameters(request.rate, request.punctuation);

    // A long file render goes faster on several cores: helper processes make the runs after the first.
    SplitRender split;
    const bool isSplit = split.start(request);

    ActiveSynthesis active;
    active.renderer = &renderer;
    active.generation = generation;
    active.abortedUpTo = aborted.get();
    active.partOfText = isSplit;
    g_active = &active;

    const QByteArray utf8 = (isSplit ? request.text.left(split.firstRunEnd()) : request.text).toUtf8();
    TextPositionMapper mapper(request.text, request.markup);
    const unsigned int start = unsigned(mapper.codePointIndex(request.startOffset));
    const espeak_ERROR result = synthesizeUtf8(utf8, start, request.markup, !isSplit);
    g_active = nullptr;
    if (result != EE_OK && !active.failed)
        return renderer.fail(QStringLiteral("espeak-ng could not synthesize the text (error %1).").arg(int(result)));
    if (isSplit && !active.failed) {
        QString reason;
        const auto cancelled = [&] { return generation <= aborted->load(); };
        switch (split.feedRest(renderer, cancelled, reason)) {
        case SplitRender::Outcome::Done:
            break;
        case SplitRender::Outcome::Cancelled:
            active.failed = true;
            break;
        case SplitRender::Outcome::Failed:
            return renderer.fail(reason);
        }
    }
    renderer.finish(!active.failed);
}

} // namespace speech
