// How soon the user hears a long text after pressing Start: the real window (under its own Xvfb) with the real
// voice, a 1 MB German text in the box, from the Start click to the first audio sample handed to the device.
//   window_first_audio_ms   median of several runs
// Needs Xvfb and an audio device (tools/bench.sh starts a PulseAudio null sink); prints "n/a" otherwise.

#include "base/core/Clock.h"
#include "base/core/MessageBox.h"
#include "engine/espeak/EspeakVoice.h"
#include "engine/espeak/PlaybackObserver.h"
#include "gui/app/MainWindow.h"
#include "gui/form/Controls.h"
#include "gui/form/TextBox.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

using bench::waitFor;

constexpr int kRuns = 5;

QString megabyteOfGerman()
{
    QFile file(QStringLiteral("/usr/share/games/fortunes/de/zitate"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString source = QString::fromUtf8(file.readAll()).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QString text;
    while (!source.isEmpty() && text.size() < 1024 * 1024)
        text += source;
    return text.left(1024 * 1024);
}

// Told on the playback thread as the first sample goes to the device: timed there, not when the user-interface
// thread gets round to it.
class FirstAudio : public speech::PlaybackObserver {
public:
    void restart()
    {
        m_ns = 0;
        m_sinceStart.start();
    }
    qint64 ns() const { return m_ns; }
    void audioStarted(int) override
    {
        qint64 none = 0;
        m_ns.compare_exchange_strong(none, m_sinceStart.nsecsElapsed());
    }

private:
    QElapsedTimer m_sinceStart;
    std::atomic<qint64> m_ns{0};
};

} // namespace

int main(int argc, char* argv[])
{
    // A display of its own, so that the window is a real one whatever the caller has.
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral(":88"), QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    for (int i = 0; i < 100 && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X88")); ++i)
        QThread::msleep(50);
    qputenv("DISPLAY", ":88");
    qputenv("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());

    int result = 0;
    {
        QApplication application(argc, argv);
        core::setMessageHandler([](const core::Message& message) { return message.defaultAnswer; });
        const QString text = megabyteOfGerman();
        if (QMediaDevices::audioOutputs().isEmpty() || text.isEmpty() ||
            QGuiApplication::platformName() != QLatin1String("xcb")) {
            std::printf("window_first_audio_ms: n/a ms\n");
        } else {
            core::SystemClock clock;
            FirstAudio firstAudio; // outlives the window and its voice
            auto voice = std::make_unique<speech::EspeakVoice>();
            voice->setPlaybackObserver(&firstAudio);
            app::MainWindow window(std::move(voice), clock, QLocale(QLocale::German, QLocale::Germany));
            window.load({});
            const form::Controls& c = window.controls();
            waitFor([&] { return window.isVisible(); }, 5000);

            std::vector<double> times;
            for (int run = 0; run < kRuns; ++run) {
                c.tAusgabe->setText(text);
                waitFor([] { return false; }, 300); // let the window settle
                firstAudio.restart();
                c.ckStart->click();
                if (!waitFor([&] { return firstAudio.ns() != 0; }, 10000)) {
                    times.clear();
                    break;
                }
                times.push_back(double(firstAudio.ns()) / 1e6);
                c.ckStart->click(); // Stop
                waitFor([&] { return !c.ckStart->isChecked(); }, 5000);
            }
            if (times.empty()) {
                std::printf("window_first_audio_ms: n/a ms\n");
                result = 1;
            } else {
                std::sort(times.begin(), times.end());
                std::printf("window_first_audio_ms: %.1f ms\n", times[times.size() / 2]);
            }
            window.close();
        }
    }
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return result;
}
