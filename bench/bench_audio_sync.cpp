// How well the highlighted word agrees with the word the user hears: German text is spoken on the PulseAudio
// null sink while its monitor is recorded, each word's audio onset is found in the recording, and Word events
// are compared with those onsets on one clock.
//   word_event_audio_error_ms  largest |event arrival - onset| after removing one constant offset
//   audio_latency_ms           that constant: how long after its event a word is heard (the sink's latency)
// Each figure is the median of several runs. Needs parec and a PulseAudio server with the sink "test_sink"
// (tools/bench.sh starts one); prints "n/a" otherwise.

#include "speech/espeak/EspeakVoice.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using bench::median;
using bench::waitFor;

constexpr int kRuns = 5;
constexpr int kRate = 22050;               // the voice speaks and the recorder records at this rate
constexpr qint64 kTextBytes = 330;         // about 20 seconds of speech a run
constexpr int kSilenceThreshold = 300;     // of 32767: below it a sample counts as silence
constexpr double kGapBeforeOnsetMs = 30;   // silence that must precede a word's onset
constexpr double kPairingToleranceMs = 15; // finding the offset
constexpr double kPairingWindowMs = 100;   // pairing an onset with a word
constexpr double kContentToleranceMs = 60; // how far a word's first loud sample may lie behind its start

double nowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Records the null sink's monitor as 16-bit mono PCM. Every read notes when it arrived, so sample n can be put on
// the same clock as the events: the earliest arrival, less the audio it carried, bounds when sample 0 was taken.
class MonitorRecorder {
public:
    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            execlp("parec", "parec", "-d", "test_sink.monitor", "--latency-msec=10", "--format=s16le", "--rate=22050",
                   "--channels=1", "--raw", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        if (m_pid < 0)
            return false;
        m_fd = fds[0];
        m_reader = std::thread([this] { read(); });
        return true;
    }

    // Stops the recorder; the samples and the time of sample 0 stay.
    void stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
        if (m_reader.joinable())
            m_reader.join();
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }

    ~MonitorRecorder() { stop(); }

    qint64 samples() const { return qint64(m_pcm.size() / 2); }
    bool receiving() const { return m_bytes.load() > 0; }
    const std::vector<qint16>& pcm() const { return m_pcm; }
    double sampleMs(qint64 sample) const { return m_zeroMs + 1000.0 * double(sample) / kRate; }

private:
    void read()
    {
        std::vector<char> bytes;
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
            if (got <= 0)
                break;
            const double arrived = nowMs();
            bytes.insert(bytes.end(), buffer, buffer + got);
            m_bytes += got;
            m_zeroMs = std::min(m_zeroMs, arrived - 1000.0 * double(bytes.size() / 2) / kRate);
        }
        m_pcm.resize(bytes.size() / 2);
        std::memcpy(m_pcm.data(), bytes.data(), m_pcm.size() * 2);
    }

    pid_t m_pid = -1;
    int m_fd = -1;
    std::thread m_reader;
    std::atomic<qint64> m_bytes{0};
    double m_zeroMs = 1e300;
    std::vector<qint16> m_pcm;
};

// Sample indices where sound starts after at least kGapBeforeOnsetMs of silence.
std::vector<qint64> onsets(const std::vector<qint16>& pcm)
{
    const qint64 gap = qint64(kGapBeforeOnsetMs * kRate / 1000);
    std::vector<qint64> found;
    qint64 quiet = gap; // the recording starts in silence
    for (qint64 i = 0; i < qint64(pcm.size()); ++i) {
        if (std::abs(int(pcm[size_t(i)])) < kSilenceThreshold) {
            ++quiet;
            continue;
        }
        if (quiet >= gap)
            found.push_back(i);
        quiet = 0;
    }
    return found;
}

struct Word {
    double arrivedMs;
    qint64 sample; // where its audio starts in the stream
};

struct RunResult {
    bool ok = false;
    double errorMs = 0;
    double latencyMs = 0;
    int pairs = 0;
};

// Pairs each onset with the word whose event came nearest to it on the common clock, once one constant offset
// (the sink's latency) is taken out: that offset is the one that lines up the most onsets with events. An onset
// inside a word (after the closure of a "p" or "t") pairs with a word whose audio starts elsewhere: the distance
// between an onset and its word's place in the stream is the same for neighbouring words, and such onsets stand
// out from it. (A starved sink plays gaps that the stream does not have, so that distance is only locally
// constant.)
RunResult compare(std::vector<Word> words, const std::vector<qint64>& found, const MonitorRecorder& recorder)
{
    RunResult result;
    if (words.size() < 10 || found.size() < 10)
        return result;
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.arrivedMs < b.arrivedMs; });
    const auto nearest = [&](double ms) {
        const auto it = std::lower_bound(words.begin(), words.end(), ms,
                                         [](const Word& word, double value) { return word.arrivedMs < value; });
        if (it == words.begin())
            return &*it;
        if (it == words.end() || ms - std::prev(it)->arrivedMs < it->arrivedMs - ms)
            return &*std::prev(it);
        return &*it;
    };
    double offset = 0;
    int bestCount = -1;
    for (double candidate = -500; candidate <= 500; candidate += 1) {
        int count = 0;
        for (const qint64 onset : found) {
            const double ms = recorder.sampleMs(onset) - candidate;
            count += std::abs(nearest(ms)->arrivedMs - ms) <= kPairingToleranceMs;
        }
        if (count > bestCount) {
            bestCount = count;
            offset = candidate;
        }
    }
    struct Pair {
        double arrivedMs;
        qint64 wordSample;
        qint64 streamDistance; // recording sample of the onset less the word's sample in the stream
    };
    std::vector<Pair> pairs;
    for (const qint64 onset : found) {
        const double heard = recorder.sampleMs(onset);
        const Word* word = nearest(heard - offset);
        if (std::abs(heard - word->arrivedMs - offset) <= kPairingWindowMs)
            pairs.push_back({word->arrivedMs, word->sample, onset - word->sample});
    }
    // Near each pair the recording runs a fixed number of samples behind the stream (the median distance of its
    // neighbours). That puts the word's own start into the recording, closure silence and all, so the event is
    // compared with the moment its word began to sound, not with the first loud sample.
    const qint64 tolerance = qint64(kContentToleranceMs * kRate / 1000);
    std::vector<double> differences;
    for (size_t i = 0; i < pairs.size(); ++i) {
        std::vector<double> around;
        for (size_t k = i < 3 ? 0 : i - 3; k < std::min(pairs.size(), i + 4); ++k)
            around.push_back(double(pairs[k].streamDistance));
        const double distance = median(around);
        if (std::abs(double(pairs[i].streamDistance) - distance) > double(tolerance))
            continue; // an onset inside a word, paired with the wrong word
        const qint64 wordInRecording = pairs[i].wordSample + qint64(distance);
        differences.push_back(recorder.sampleMs(wordInRecording) - pairs[i].arrivedMs);
    }
    if (differences.size() < 5)
        return result;
    result.ok = true;
    result.pairs = int(differences.size());
    result.latencyMs = median(differences);
    for (const double d : differences)
        result.errorMs = std::max(result.errorMs, std::abs(d - result.latencyMs));
    return result;
}

QString germanText()
{
    QFile file(QStringLiteral("/usr/share/games/fortunes/de/zitate"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.read(kTextBytes * 2)).left(int(kTextBytes));
    return text.replace(QLatin1Char('%'), QLatin1Char(' '));
}

RunResult run(speech::EspeakVoice& voice, const QString& text)
{
    MonitorRecorder recorder;
    if (!recorder.start() || !waitFor([&] { return recorder.receiving(); }, 5000))
        return {};
    std::vector<Word> words;
    int stream = -1;
    bool ended = false;
    const auto onWord = QObject::connect(&voice, &speech::Voice::word, [&](int s, qint64 position, int, int) {
        if (s == stream)
            words.push_back({nowMs(), position / 2});
    });
    const auto onEnd =
        QObject::connect(&voice, &speech::Voice::endStream, [&](int s, qint64) { ended = ended || s == stream; });
    stream = voice.speak(text, speech::SpeakAsync | speech::SpeakPurgeBeforeSpeak).value();
    const bool ok = waitFor([&] { return ended; }, 300000);
    // The tail of the last word is still on its way through the sink.
    const double until = nowMs() + 500;
    waitFor([&] { return nowMs() > until; }, 1000);
    QObject::disconnect(onWord);
    QObject::disconnect(onEnd);
    recorder.stop();
    if (!ok)
        return {};
    return compare(words, onsets(recorder.pcm()), recorder);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString text = germanText();
    if (QMediaDevices::audioOutputs().isEmpty() || text.isEmpty()) {
        std::printf("word_event_audio_error_ms: n/a ms\naudio_latency_ms: n/a ms\n");
        return 0;
    }
    speech::EspeakVoice voice;
    (void)voice.setOutputFormat(22); // 22 kHz, 16 bit, mono: stream positions are the recorder's samples
    (void)voice.speak(QStringLiteral("Start."), speech::SpeakAsync); // wakes the sink up
    voice.waitUntilDone(10000);
    QCoreApplication::sendPostedEvents();

    std::vector<double> errors;
    std::vector<double> latencies;
    for (int i = 0; i < kRuns; ++i) {
        const RunResult result = run(voice, text);
        if (!result.ok) {
            std::printf("word_event_audio_error_ms: n/a ms\naudio_latency_ms: n/a ms\n");
            std::fprintf(stderr, "bench_audio_sync: no words paired with onsets (is parec installed?)\n");
            return 0;
        }
        errors.push_back(result.errorMs);
        latencies.push_back(result.latencyMs);
        std::fprintf(stderr, "  run %d: %d words paired, error %.1f ms, latency %.1f ms\n", i + 1, result.pairs,
                     result.errorMs, result.latencyMs);
    }
    std::printf("word_event_audio_error_ms: %.1f ms\n", median(errors));
    std::printf("audio_latency_ms: %.1f ms\n", median(latencies));
    return 0;
}
