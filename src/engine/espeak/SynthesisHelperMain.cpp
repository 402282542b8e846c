// sprechkit-synth: synthesizes one run of a long text in a process of its own. espeak-ng is one global instance per
// process, so this is how a file render uses more than one core. The settings come on the command line, the text
// (UTF-8) on stdin; the raw synthesizer output goes to stdout as SynthesisStream records.
//   sprechkit-synth --voice ID --rate N [--punctuation] [--end-pause] [--lead BYTES]
// --lead: the text's first BYTES are the sentence spoken before the run. It is spoken too, so that the run starts
// exactly as it does after that sentence in one synthesis, but only what follows it is written.

#include "engine/espeak/EspeakCalls.h"
#include "engine/espeak/SynthesisStream.h"

#include <QList>

#include <cstdio>
#include <cstring>
#include <string>

using namespace speech;

namespace {

struct Run {
    bool measuring = false;
    qint64 samples = 0;     // seen in this synthesis call
    qint64 leadSamples = 0; // the lead's own length: output starts there
    int leadCodePoints = 0;
    bool failed = false;
    std::vector<RawEvent> events;
};
Run g_run;

int synthCallback(short* samples, int count, espeak_EVENT* events)
{
    Run& run = g_run;
    const qint64 first = run.samples;
    run.samples += qMax(0, count);
    if (run.measuring || run.failed)
        return run.failed ? 1 : 0;
    run.events.clear();
    for (espeak_EVENT* e = events; e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        std::optional<RawEvent> raw = rawEventOf(*e);
        if (!raw || raw->sample < run.leadSamples)
            continue;
        // The lead's own words were written by the run before this one.
        if ((raw->kind == RawEvent::Kind::Word || raw->kind == RawEvent::Kind::Mark) &&
            raw->textPosition <= run.leadCodePoints)
            continue;
        raw->sample -= run.leadSamples;
        run.events.push_back(std::move(*raw));
    }
    const qint64 skip = qBound(qint64(0), run.leadSamples - first, qint64(qMax(0, count)));
    const int kept = samples ? int(qMax(0, count) - skip) : 0;
    if ((kept > 0 || !run.events.empty()) &&
        !synthesisstream::writeChunk(stdout, samples ? samples + skip : nullptr, kept, run.events))
        run.failed = true; // the program went away: stop
    return run.failed ? 1 : 0;
}

// Markup is never split across processes; refuse files anyway, as the program does.
int refuseUri(int, const char*, const char*)
{
    return 1;
}

int fail(const QString& reason)
{
    (void)synthesisstream::writeError(stdout, reason);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QString voice;
    int rate = 0;
    qint64 leadBytes = 0;
    bool punctuation = false, endPause = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--voice" && hasValue)
            voice = QString::fromUtf8(argv[++i]);
        else if (arg == "--rate" && hasValue)
            rate = std::atoi(argv[++i]);
        else if (arg == "--lead" && hasValue)
            leadBytes = std::atoll(argv[++i]);
        else if (arg == "--punctuation")
            punctuation = true;
        else if (arg == "--end-pause")
            endPause = true;
        else
            return fail(QStringLiteral("unknown argument \"%1\"").arg(QString::fromLocal8Bit(argv[i])));
    }
    QByteArray text;
    char buffer[1 << 16];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;)
        text.append(buffer, qsizetype(n));
    if (leadBytes < 0 || leadBytes > text.size())
        return fail(QStringLiteral("the lead is longer than the text"));
    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    if (initializeEspeak(synthCallback, refuseUri) <= 0)
        return fail(QStringLiteral("espeak-ng could not be initialized"));
    if (espeak_SetVoiceByName(voice.toUtf8().constData()) != EE_OK)
        return fail(QStringLiteral("The voice \"%1\" cannot be loaded.").arg(voice));
    applySpeechParameters(rate, punctuation);

    if (leadBytes > 0) {
        const QByteArray lead = text.left(leadBytes);
        g_run.measuring = true;
        if (synthesizeUtf8(lead, 0, false, false) != EE_OK)
            return fail(QStringLiteral("espeak-ng could not synthesize the text"));
        g_run.leadSamples = g_run.samples;
        g_run.leadCodePoints = int(QString::fromUtf8(lead).toUcs4().size());
        g_run.measuring = false;
        g_run.samples = 0;
    }
    const espeak_ERROR result = synthesizeUtf8(text, 0, false, endPause);
    if (g_run.failed)
        return 1;
    if (result != EE_OK)
        return fail(QStringLiteral("espeak-ng could not synthesize the text (error %1)").arg(int(result)));
    return synthesisstream::writeEnd(stdout) ? 0 : 1;
}
