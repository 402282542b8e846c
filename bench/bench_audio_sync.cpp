// How well the highlighted word agrees with the word the user hears: German text is spoken on the PulseAudio
// null sink while its monitor is recorded. The audio the voice hands to the device is kept as well; its onsets
// (sound after silence) are found again in the recording, which puts every stream position, and so every word's
// start, on the recorder's clock. Word events are compared with those moments.
//   word_event_audio_error_ms  largest |word heard - event arrival| after removing one constant offset
//   audio_latency_ms           that constant: how long after the sink's monitor got a word its event arrives.
//                              The sink renders ahead of playing, so this is about the sink's latency.
// Each figure is the median of several runs. Needs parec and a PulseAudio server with the sink "test_sink"
// (tools/bench.sh starts one); prints "n/a" otherwise.

#include "engine/espeak/EspeakVoice.h"
#include "engine/espeak/PlaybackObserver.h"

#include "BenchSupport.h"

#include <QApplication>
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
#include <mutex>
#include <thread>
#include <vector>

namespace {

using bench::median;
using bench::waitFor;

constexpr int kRuns = 5;
constexpr int kRate = 22050;                         // the voice speaks and the recorder records at this rate
constexpr qint64 kTextBytes = 1050;                  // about a minute of speech a run
constexpr int kSilenceThreshold = 300;               // of 32767: below it a sample counts as silence
constexpr double kGapBeforeOnsetMs = 30;             // silence that must precede an onset
constexpr qint64 kMatchTolerance = 3 * kRate / 1000; // the sink resamples: an onset may move by a few samples

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

// The audio of each stream as the player hands it to the device; filled on the playback thread.
class StreamTap : public speech::PlaybackObserver {
public:
    void blockWritten(int stream, const char* pcm, qint64 bytes) override
    {
        const std::lock_guard lock(m_mutex);
        if (stream != m_stream) {
            m_stream = stream;
            m_bytes.clear();
        }
        m_bytes.append(pcm, bytes);
    }

    std::vector<qint16> take(int stream)
    {
        const std::lock_guard lock(m_mutex);
        std::vector<qint16> pcm;
        if (stream == m_stream) {
            pcm.resize(size_t(m_bytes.size() / 2));
            std::memcpy(pcm.data(), m_bytes.constData(), pcm.size() * 2);
        }
        m_stream = -1;
        m_bytes.clear();
        return pcm;
    }

private:
    std::mutex m_mutex;
    int m_stream = -1;
    QByteArray m_bytes;
};

// Where stream samples landed in the recording: at an onset of the stream, the recording sample less the stream
// sample. The same sound gives the same onsets, so the distance stays put, except where the device ran dry and
// played silence the stream does not have.
struct Match {
    qint64 streamSample;
    qint64 distance;
};

std::vector<Match> matchOnsets(const std::vector<qint64>& stream, const std::vector<qint64>& recorded)
{
    const auto nearest = [&](qint64 sample) {
        const auto it = std::lower_bound(recorded.begin(), recorded.end(), sample);
        if (it == recorded.end() || (it != recorded.begin() && sample - *std::prev(it) < *it - sample))
            return it == recorded.begin() ? qint64(-1) : *std::prev(it);
        return *it;
    };
    const auto matches = [&](qint64 sample, qint64 distance) {
        const qint64 found = nearest(sample + distance);
        return found >= 0 && std::abs(found - sample - distance) <= kMatchTolerance;
    };
    // The first distance is the one most onsets agree with; later ones follow the gaps.
    qint64 distance = 0;
    int best = 0;
    for (const qint64 s : stream) {
        for (const qint64 r : recorded) {
            const int count =
                int(std::count_if(stream.begin(), stream.end(), [&](qint64 t) { return matches(t, r - s); }));
            if (count > best) {
                best = count;
                distance = r - s;
            }
        }
    }
    std::vector<Match> found;
    for (size_t i = 0; i < stream.size(); ++i) {
        if (matches(stream[i], distance)) {
            distance = nearest(stream[i] + distance) - stream[i];
            found.push_back({stream[i], distance});
            continue;
        }
        // Silence was played in between: the next recorded onset, if the onset after it agrees.
        const auto later = std::lower_bound(recorded.begin(), recorded.end(), stream[i] + distance);
        if (later != recorded.end() && i + 1 < stream.size() && matches(stream[i + 1], *later - stream[i])) {
            distance = *later - stream[i];
            found.push_back({stream[i], distance});
        }
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
    int words = 0;
};

// Puts each word's start into the recording with the distance of the matched onsets around it. A word between
// two onsets of different distance lies where the device ran dry, and is left out.
RunResult compare(const std::vector<Word>& words, const std::vector<Match>& matched, const MonitorRecorder& recorder)
{
    RunResult result;
    if (matched.size() < 10)
        return result;
    std::vector<double> differences;
    for (const Word& word : words) {
        auto after = std::lower_bound(matched.begin(), matched.end(), word.sample,
                                      [](const Match& m, qint64 sample) { return m.streamSample < sample; });
        if (after == matched.end())
            --after;
        if (after != matched.begin() && std::abs(std::prev(after)->distance - after->distance) > kMatchTolerance)
            continue;
        differences.push_back(word.arrivedMs - recorder.sampleMs(word.sample + after->distance));
    }
    if (differences.size() < 10)
        return result;
    result.ok = true;
    result.words = int(differences.size());
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

RunResult run(speech::EspeakVoice& voice, StreamTap& tap, const QString& text)
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
    return compare(words, matchOnsets(onsets(tap.take(stream)), onsets(recorder.pcm())), recorder);
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
    StreamTap tap; // outlives the voice
    speech::EspeakVoice voice;
    (void)voice.setOutputFormat(
        speech::AudioFormat::Mono22kHz); // 22 kHz, 16 bit, mono: stream positions are the recorder's samples
    voice.setPlaybackObserver(&tap);
    (void)voice.speak(QStringLiteral("Start."), speech::SpeakAsync); // wakes the sink up
    voice.waitUntilDone(10000);
    QCoreApplication::sendPostedEvents();

    std::vector<double> errors;
    std::vector<double> latencies;
    for (int i = 0; i < kRuns; ++i) {
        const RunResult result = run(voice, tap, text);
        if (!result.ok) {
            std::printf("word_event_audio_error_ms: n/a ms\naudio_latency_ms: n/a ms\n");
            std::fprintf(stderr, "bench_audio_sync: the recording does not hold the stream (is parec installed?)\n");
            return 0;
        }
        errors.push_back(result.errorMs);
        latencies.push_back(result.latencyMs);
        std::fprintf(stderr, "  run %d: %d words placed, error %.1f ms, latency %.1f ms\n", i + 1, result.words,
                     result.errorMs, result.latencyMs);
    }
    std::printf("word_event_audio_error_ms: %.1f ms\n", median(errors));
    std::printf("audio_latency_ms: %.1f ms\n", median(latencies));
    return 0;
}
