#include "engine/espeak/SynthesisWorker.h"

#include "base/speech/TextPositionMapper.h"
#include "engine/espeak/StreamRenderer.h"
#include "engine/espeak/VoiceCatalog.h"

#include <espeak-ng/speak_lib.h>

#include <cmath>
#include <future>

namespace speech {

namespace {

// The synthesis in progress, reached from espeak-ng's C callback (always on the worker thread).
struct ActiveSynthesis {
    StreamRenderer* renderer = nullptr;
    quint64 generation = 0;
    const std::atomic<quint64>* abortedUpTo = nullptr;
    bool failed = false; // aborted, or the output refused more
};
ActiveSynthesis* g_active = nullptr;

// Audio per espeak-ng callback; small, so the first clause reaches the device early.
constexpr int kSynthesisChunkMs = 40;

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
        RawEvent raw;
        raw.sample = e->sample;
        raw.textPosition = e->text_position;
        raw.length = e->length;
        switch (e->type) {
        case espeakEVENT_WORD:
            raw.kind = RawEvent::Kind::Word;
            break;
        case espeakEVENT_MARK:
            raw.kind = RawEvent::Kind::Mark;
            raw.name = QString::fromUtf8(e->id.name ? e->id.name : "");
            break;
        case espeakEVENT_PHONEME:
            raw.kind = RawEvent::Kind::Phoneme;
            raw.name = QString::fromUtf8(e->id.string, int(qstrnlen(e->id.string, sizeof e->id.string)));
            break;
        case espeakEVENT_MSG_TERMINATED:
            raw.kind = RawEvent::Kind::End;
            break;
        default:
            continue;
        }
        if (!active->renderer->event(raw)) {
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
        const int options = espeakINITIALIZE_DONT_EXIT | espeakINITIALIZE_PHONEME_EVENTS;
        m_sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kSynthesisChunkMs, nullptr, options);
        if (m_sampleRate > 0) {
            espeak_SetSynthCallback(synthCallback);
            espeak_SetUriCallback(uriCallback);
        }
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

SynthesisWorker::Speed SynthesisWorker::speedOfRate(int rate)
{
    const double wordsPerMinute = 175.0 * std::pow(3.0, qBound(-10, rate, 10) / 10.0);
    if (wordsPerMinute >= 80.0)
        return {int(std::lround(wordsPerMinute)), 0};
    // espeak-ng speaks no slower than 80 words a minute; longer pauses between words make up the rest. At 80 it
    // takes 2.075 times as long as at 175, and each unit of gap adds 0.081 of the time at 175 (measured on
    // German text).
    const double missing = 175.0 / wordsPerMinute - 2.075;
    return {80, int(std::lround(missing / 0.081))};
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
    const Speed speed = speedOfRate(request.rate);
    espeak_SetParameter(espeakRATE, speed.wordsPerMinute, 0);
    espeak_SetParameter(espeakWORDGAP, speed.wordGap, 0);
    espeak_SetParameter(espeakVOLUME, 100, 0); // the renderer scales the samples itself, linearly
    espeak_SetParameter(espeakPUNCTUATION, request.punctuation ? espeakPUNCT_ALL : espeakPUNCT_NONE, 0);

    ActiveSynthesis active;
    active.renderer = &renderer;
    active.generation = generation;
    active.abortedUpTo = aborted.get();
    g_active = &active;

    const QByteArray utf8 = request.text.toUtf8();
    TextPositionMapper mapper(request.text, request.markup);
    const unsigned int start = unsigned(mapper.codePointIndex(request.startOffset));
    unsigned int flags = espeakCHARS_UTF8 | espeakENDPAUSE;
    if (request.markup)
        flags |= espeakSSML;
    const espeak_ERROR result =
        espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, start, POS_CHARACTER, 0, flags, nullptr, nullptr);
    g_active = nullptr;
    if (result != EE_OK && !active.failed)
        return renderer.fail(QStringLiteral("espeak-ng could not synthesize the text (error %1).").arg(int(result)));
    renderer.finish(!active.failed);
}

} // namespace speech
