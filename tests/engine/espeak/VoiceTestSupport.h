#pragma once

// Helpers for the tests of the real voice: an event recorder, WAV reading and rendering into a file stream.

#include "base/speech/Voice.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

namespace speechtest {

struct RecordedEvent {
    QString kind;
    int stream = 0;
    qint64 position = 0;
    int a = 0;
    int b = 0;
    QString text;
};

// Records every event of a voice in the order it arrives.
class EventRecorder {
public:
    explicit EventRecorder(speech::Voice& voice)
    {
        using speech::Voice;
        QObject::connect(&voice, &Voice::startStream, &voice, [this](int s, qint64 p) { add("StartStream", s, p); });
        QObject::connect(&voice, &Voice::endStream, &voice, [this](int s, qint64 p) { add("EndStream", s, p); });
        QObject::connect(&voice, &Voice::voiceChange, &voice,
                         [this](int s, qint64 p, const QString& d) { add("VoiceChange", s, p, 0, 0, d); });
        QObject::connect(&voice, &Voice::bookmark, &voice,
                         [this](int s, qint64 p, const QString& n, int id) { add("Bookmark", s, p, id, 0, n); });
        QObject::connect(&voice, &Voice::word, &voice,
                         [this](int s, qint64 p, int pos, int len) { add("Word", s, p, pos, len); });
        QObject::connect(&voice, &Voice::sentence, &voice,
                         [this](int s, qint64 p, int pos, int len) { add("Sentence", s, p, pos, len); });
        QObject::connect(&voice, &Voice::phoneme, &voice,
                         [this](int s, qint64 p, int duration, int, int, int) { add("Phoneme", s, p, duration); });
        QObject::connect(&voice, &Voice::audioLevel, &voice,
                         [this](int s, qint64 p, int l) { add("AudioLevel", s, p, l); });
        QObject::connect(&voice, &Voice::notice, &voice,
                         [this](int s, qint64 p, const QString& t) { add("Notice", s, p, 0, 0, t); });
    }

    std::vector<RecordedEvent> events;

    std::vector<RecordedEvent> of(const QString& kind) const
    {
        std::vector<RecordedEvent> result;
        for (const RecordedEvent& e : events) {
            if (e.kind == kind)
                result.push_back(e);
        }
        return result;
    }
    QStringList textsOf(const QString& kind, const QString& text) const
    {
        QStringList result;
        for (const RecordedEvent& e : of(kind))
            result.append(text.mid(e.a, e.b));
        return result;
    }
    bool has(const QString& kind, int stream) const
    {
        const auto all = of(kind);
        return std::any_of(all.begin(), all.end(), [&](const RecordedEvent& e) { return e.stream == stream; });
    }

private:
    void add(const char* kind, int stream, qint64 position, int a = 0, int b = 0, const QString& text = {})
    {
        events.push_back({QString::fromLatin1(kind), stream, position, a, b, text});
    }
};

struct WavData {
    int sampleRate = 0;
    int format = 0;
    std::vector<float> samples; // first channel
    double seconds() const { return sampleRate ? double(samples.size()) / sampleRate : 0.0; }
    float peak() const
    {
        const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
        return samples.empty() ? 0.0f : std::max(-*low, *high);
    }
    float rms() const
    {
        double sum = 0;
        for (float s : samples)
            sum += double(s) * s;
        return samples.empty() ? 0.0f : float(std::sqrt(sum / double(samples.size())));
    }
};

inline WavData readWav(const QString& path)
{
    WavData data;
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return data;
    std::vector<float> frames(size_t(info.frames) * size_t(info.channels));
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    data.sampleRate = info.samplerate;
    data.format = info.format;
    for (size_t i = 0; i < frames.size(); i += size_t(info.channels))
        data.samples.push_back(frames[i]);
    return data;
}

// Speaks text into a WAV file and delivers the queued events. Empty error when it worked.
inline QString renderToFile(speech::Voice& voice, const QString& text, const QString& path, int formatCode = 22,
                            speech::SpeakFlags flags = speech::SpeakAsync)
{
    if (const core::Result opened = voice.openFileStream(path, speech::audioFormatOfCode(formatCode).value()); !opened)
        return QStringLiteral("open: ") + opened.error();
    if (const core::ResultOf<int> stream = voice.speak(text, flags); !stream)
        return QStringLiteral("speak: ") + stream.error();
    if (!voice.waitUntilDone(60000))
        return QStringLiteral("the voice did not finish");
    (void)voice.setAudioOutput(-1); // fails without a device; closing falls back to the default anyway
    if (const core::Result closed = voice.closeFileStream(); !closed)
        return QStringLiteral("close: ") + closed.error();
    QCoreApplication::sendPostedEvents();
    return {};
}

} // namespace speechtest

// Readable QStrings in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
