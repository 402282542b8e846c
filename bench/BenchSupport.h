#pragma once

// Helpers the benchmark programs share.

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace bench {

// A copy of the program in folder, with a link to its plugins, which it looks for beside itself.
inline void copyProgram(const QString& program, const QString& folder)
{
    QFile::copy(program, folder + QStringLiteral("/sprechkit"));
    QFile::link(QFileInfo(program).absolutePath() + QStringLiteral("/lib"), folder + QStringLiteral("/lib"));
}

// The figure of several runs: the middle one, so a run disturbed by another program does not count.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median of runs timed calls of run(i), in milliseconds.
template <typename Run> double medianMs(int runs, Run run)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run(i);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

// Runs the event loop until condition holds or msTimeout passed.
template <typename Condition> bool waitFor(Condition condition, int msTimeout)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > msTimeout)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// The German text the speech benchmarks read (Debian's fortunes-de): its first maxBytes, cut at a character
// boundary; empty when the package is missing.
inline const char* const kGermanSource = "/usr/share/games/fortunes/de/zitate";
inline QByteArray germanText(qint64 maxBytes)
{
    QFile file(QString::fromLatin1(kGermanSource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(maxBytes);
    while (!bytes.isEmpty() && (quint8(bytes.back()) & 0xC0) == 0x80)
        bytes.chop(1);
    if (!bytes.isEmpty() && (quint8(bytes.back()) & 0x80))
        bytes.chop(1);
    return bytes;
}

} // namespace bench
