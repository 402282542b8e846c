// Loading big dictionaries into the window's list: 200,000 rows, and a 50 MB file of about 1.7 million rows, each
// from the file on disk into liWords, as the start-up does it. Also prints the peak memory of the process.

#include "gui/form/Controls.h"
#include "gui/text/DictionaryList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

// Short rows, as in the reported 50 MB file of 1.7 million rows; most of them active.
qint64 writeDictionary(const QString& path, qint64 minimumRows, qint64 minimumBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    QByteArray chunk;
    qint64 rows = 0;
    qint64 bytes = 0;
    while (rows < minimumRows || bytes < minimumBytes) {
        chunk += QByteArray("W\xc3\xb6rt") + QByteArray::number(rows) + ";Ersatz " + QByteArray::number(rows) +
                 (rows % 7 == 3 ? ";0\r\n" : ";1\r\n");
        ++rows;
        if (chunk.size() > (1 << 20)) {
            bytes += file.write(chunk);
            chunk.clear();
        }
    }
    bytes += file.write(chunk);
    return rows;
}

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Load {
    double ms = 0;
    double cpuMs = 0; // the same without the time other processes took: the machine is often shared
    int rows = 0;
};

// One load into a fresh window, as the start-up does it.
Load load(const QString& path)
{
    QWidget window;
    const form::Controls controls = form::buildControls(&window);
    text::DictionaryList dictionary(controls, path);
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMs();
    dictionary.LoadWords();
    QApplication::processEvents(); // whatever the list left for later belongs to the load
    return {timer.nsecsElapsed() / 1e6, cpuMs() - cpuStart, controls.liWords->count() - 1};
}

// The median of five loads, by wall-clock time.
Load medianLoad(const QString& path)
{
    std::vector<Load> loads;
    for (int i = 0; i < 5; ++i)
        loads.push_back(load(path));
    std::sort(loads.begin(), loads.end(), [](const Load& a, const Load& b) { return a.ms < b.ms; });
    return loads[loads.size() / 2];
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;

    const QString small = folder.filePath(QStringLiteral("small.wrd"));
    const QString large = folder.filePath(QStringLiteral("large.wrd"));
    if (writeDictionary(small, 200000, 0) < 0 || writeDictionary(large, 0, 50 * 1000 * 1000) < 0) {
        std::fprintf(stderr, "bench_dictionary: cannot write the test dictionaries\n");
        return 1;
    }

    const Load smallLoad = medianLoad(small);
    const Load largeLoad = medianLoad(large);
    std::printf("dictionary_load_200k_ms: %.0f ms\n", smallLoad.ms);
    std::printf("dictionary_load_200k_cpu_ms: %.0f ms\n", smallLoad.cpuMs);
    std::printf("dictionary_load_50mb_s: %.2f s\n", largeLoad.ms / 1000.0);
    std::printf("dictionary_load_50mb_cpu_s: %.2f s\n", largeLoad.cpuMs / 1000.0);
    std::printf("dictionary_load_50mb_rows: %d rows\n", largeLoad.rows);
    std::printf("dictionary_load_peak_rss_mb: %.0f MB\n", peakRssMb());
    return smallLoad.rows == 200000 && largeLoad.rows > 1000000 ? 0 : 1;
}
