// Appending engine event lines to a full event log: the log stays between 54000 and 64000 characters, so every
// line pays for the widget insert and every few hundred lines for the cut at the front.
#include "base/core/Clock.h"
#include "gui/speech/EventLog.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QPlainTextEdit box;
    box.setReadOnly(true);
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    QCheckBox showEvents;
    showEvents.setChecked(true);
    box.show();
    const core::SystemClock clock;
    speech::EventLog log(&box, &showEvents, clock);

    const QString event = QStringLiteral("Word, StreamNum=1, StreamPos=123456, Pos=2048, Length=7");
    for (int i = 0; i < 2000; ++i) // fill to the trimming range first
        log.LogEvent(event);

    // The median of five rounds.
    constexpr int kLines = 10000;
    std::vector<double> rounds;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kLines; ++i)
            log.LogEvent(event);
        rounds.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(rounds.begin(), rounds.end());
    const double seconds = rounds[rounds.size() / 2];
    std::printf("event_log_lines_per_s: %.0f lines/s\n", kLines / seconds);
    std::printf("event_log_us_per_line: %.1f us\n", seconds * 1e6 / kLines);
    return log.text().size() <= 64000 + 200 ? 0 : 1;
}
