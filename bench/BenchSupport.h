#pragma once

// Helpers the benchmark programs share.

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace bench {

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

} // namespace bench
