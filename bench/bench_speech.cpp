// Speed of the espeak-ng voice:
//   wav_render_ratio       rendering 100 KB of German text into a 22050 Hz WAV, against the espeak-ng program
//   wav_render_peak_rss_mb peak memory of a process doing only that rendering
//   first_audio_ms         speak() of a 1 MB text until its stream starts on the device
// Each figure is the median of five runs.
//   word_event_error_ms    how far Word events stray from the audio clock of the device (max over a long text);
//                          it counts every underrun as lateness, so playback_underruns is printed beside it
// The device figures need an audio device (tools/bench.sh starts a PulseAudio null sink); without one they print
// "n/a".

#include "engine/espeak/EspeakVoice.h"
#include "engine/espeak/PlaybackObserver.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using bench::median;
using bench::waitFor;

constexpr int kRuns = 5;

QByteArray repeatedText(qint64 bytes)
{
    QByteArray source = bench::germanText(1 << 30);
    QByteArray text;
    while (!source.isEmpty() && text.size() < bytes)
        text += source;
    text.truncate(bytes);
    while (!text.isEmpty() && (quint8(text.back()) & 0x80))
        text.chop(1);
    return text;
}

// Child mode: render the text file into the WAV file; prints the milliseconds it took.
int renderChild(const QString& textPath, const QString& wavPath)
{
    QFile file(textPath);
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QString text = QString::fromUtf8(file.readAll());
    QElapsedTimer timer;
    timer.start();
    speech::EspeakVoice voice;
    core::Result rendered = voice.openFileStream(wavPath, speech::AudioFormat::Mono22kHz);
    if (rendered)
        rendered = voice.speak(text, speech::SpeakAsync).result();
    voice.waitUntilDone(-1);
    if (rendered)
        rendered = voice.closeFileStream();
    if (!rendered) {
        std::fprintf(stderr, "render failed: %s\n", qPrintable(rendered.error()));
        return 1;
    }
    std::printf("%lld\n", timer.elapsed());
    std::fflush(stdout);
    // The events queued meanwhile are part of the cost: deliver them before leaving.
    QCoreApplication::sendPostedEvents();
    return 0;
}

struct ChildResult {
    bool ok = false;
    double renderMs = 0;
    double peakRssMb = 0;
};

ChildResult runRenderChild(const char* self, const QString& textPath, const QString& wavPath)
{
    ChildResult result;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return result;
    const QByteArray text = QFile::encodeName(textPath);
    const QByteArray wav = QFile::encodeName(wavPath);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        execl(self, self, "--render", text.constData(), wav.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[64] = {};
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer - 1);
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || got <= 0)
        return result;
    result.ok = true;
    result.renderMs = std::atof(buffer);
    result.peakRssMb = double(usage.ru_maxrss) / 1024.0;
    return result;
}

void wavRender(const char* self)
{
    QTemporaryDir dir;
    const QString textPath = dir.filePath(QStringLiteral("text.txt"));
    QFile file(textPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bench::germanText(100 * 1024)) <= 0) {
        std::printf("wav_render_ratio: n/a x\nwav_render_peak_rss_mb: n/a MB\n");
        return;
    }
    file.close();

    // Other programs share the machine: the median of five runs each, taken in turns, is the figure.
    std::vector<double> oursMs;
    std::vector<double> theirsMs;
    double peakRssMb = 0;
    for (int run = 0; run < kRuns; ++run) {
        const ChildResult child = runRenderChild(self, textPath, dir.filePath(QStringLiteral("ours.wav")));
        QElapsedTimer timer;
        timer.start();
        const int exitCode =
            QProcess::execute(QStringLiteral("espeak-ng"),
                              {"-v", "de", "-w", dir.filePath(QStringLiteral("theirs.wav")), "-f", textPath});
        const double ms = double(timer.elapsed());
        if (!child.ok || exitCode != 0) {
            std::printf("wav_render_ratio: n/a x\nwav_render_peak_rss_mb: n/a MB\n");
            return;
        }
        oursMs.push_back(child.renderMs);
        theirsMs.push_back(ms);
        peakRssMb = std::max(peakRssMb, child.peakRssMb);
    }
    std::printf("wav_render_ratio: %.3f x\n", median(oursMs) / median(theirsMs));
    std::printf("wav_render_peak_rss_mb: %.1f MB\n", peakRssMb);
    std::fprintf(stderr, "  (ours %.0f ms, espeak-ng %.0f ms)\n", median(oursMs), median(theirsMs));
}

// Milliseconds until the stream of a 1 MB text starts on the device; -1 when it does not.
double firstAudio(speech::EspeakVoice& voice)
{
    const QString text = QString::fromUtf8(repeatedText(1024 * 1024));
    int stream = -1;
    bool started = false;
    const auto connection =
        QObject::connect(&voice, &speech::Voice::startStream, [&](int s, qint64) { started = started || s == stream; });
    QCoreApplication::sendPostedEvents();
    QElapsedTimer timer;
    timer.start();
    stream = voice.speak(text, speech::SpeakAsync | speech::SpeakPurgeBeforeSpeak).value();
    const bool ok = waitFor([&] { return started; }, 10000);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    QObject::disconnect(connection);
    (void)voice.speak(QString(), speech::SpeakPurgeBeforeSpeak);
    return ok ? ms : -1;
}

// How often the device ran out of sound in mid-stream: a busy machine shows here, not as a fault.
class UnderrunCounter : public speech::PlaybackObserver {
public:
    int count() const { return m_count; }
    void underrun(int) override { ++m_count; }

private:
    std::atomic<int> m_count{0};
};

struct WordTiming {
    double errorMs = -1; // -1 when the stream did not end or had too few words
    int underruns = 0;
};

WordTiming wordEventError(speech::EspeakVoice& voice, const UnderrunCounter& underruns)
{
    // About twenty seconds of speech.
    const QString text = QString::fromUtf8(bench::germanText(330));
    const int bytesPerSecond = 22050 * 2;
    (void)voice.setOutputFormat(speech::AudioFormat::Mono22kHz); // a format the engine always has
    QElapsedTimer clock;
    struct Arrival {
        double ms;
        qint64 position;
    };
    std::vector<Arrival> arrivals;
    int stream = -1;
    bool ended = false;
    const auto onWord = QObject::connect(&voice, &speech::Voice::word, [&](int s, qint64 position, int, int) {
        if (s == stream)
            arrivals.push_back({double(clock.nsecsElapsed()) / 1e6, position});
    });
    const auto onEnd =
        QObject::connect(&voice, &speech::Voice::endStream, [&](int s, qint64) { ended = ended || s == stream; });
    QCoreApplication::sendPostedEvents();
    const int underrunsBefore = underruns.count();
    clock.start();
    stream = voice.speak(text, speech::SpeakAsync | speech::SpeakPurgeBeforeSpeak).value();
    const bool ok = waitFor([&] { return ended; }, 300000);
    WordTiming timing;
    timing.underruns = underruns.count() - underrunsBefore;
    QObject::disconnect(onWord);
    QObject::disconnect(onEnd);
    if (!ok || arrivals.size() < 10)
        return timing;
    // The device plays at its nominal rate: each word's audio is heard at the start of playback plus its position.
    // The start is where the earliest event puts it; the error is the largest lateness against that clock.
    double start = arrivals.front().ms;
    for (const Arrival& a : arrivals)
        start = std::min(start, a.ms - 1000.0 * double(a.position) / bytesPerSecond);
    double worst = 0;
    for (const Arrival& a : arrivals)
        worst = std::max(worst, a.ms - start - 1000.0 * double(a.position) / bytesPerSecond);
    timing.errorMs = worst;
    return timing;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--render") == 0)
        return renderChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    wavRender(argv[0]);

    if (QMediaDevices::audioOutputs().isEmpty()) {
        std::printf("first_audio_ms: n/a ms\nword_event_error_ms: n/a ms\n");
        return 0;
    }
    UnderrunCounter underrunCounter; // outlives the voice
    speech::EspeakVoice voice;
    voice.setPlaybackObserver(&underrunCounter);
    // A first stream wakes the device up, so the figures show the voice, not the sink's start.
    (void)voice.speak(QStringLiteral("Start."), speech::SpeakAsync);
    voice.waitUntilDone(10000);

    std::vector<double> firstAudioMs;
    std::vector<double> wordErrorsMs;
    int underruns = 0;
    for (int run = 0; run < kRuns; ++run) {
        firstAudioMs.push_back(firstAudio(voice));
        const WordTiming timing = wordEventError(voice, underrunCounter);
        wordErrorsMs.push_back(timing.errorMs);
        underruns += timing.underruns;
    }
    const auto print = [](const char* name, const std::vector<double>& values) {
        if (std::find(values.begin(), values.end(), -1.0) != values.end())
            std::printf("%s: n/a ms\n", name);
        else
            std::printf("%s: %.1f ms\n", name, median(values));
    };
    print("first_audio_ms", firstAudioMs);
    print("word_event_error_ms", wordErrorsMs);
    std::printf("playback_underruns: %d underruns\n", underruns);
    return 0;
}
