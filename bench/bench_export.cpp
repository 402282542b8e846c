// Exports of the whole program against the shell pipelines users write for the same job, on 100 KB of German text
// at 22050 Hz:
//   export_ratio_FORMAT       the program's wall time over that of `espeak-ng -v de --stdout | ENCODER` with raw
//                             input (lame, oggenc, opusenc, flac); the median of five runs each, taken in turns
//   export_size_ratio_FORMAT  the program's file over the pipeline's, whose encoder runs at its defaults
//   book_chapters_s           the same text in ten "# " chapters into MP3 files with SRT and WebVTT subtitles
//   book_chapters_peak_rss_mb the peak memory of that run
// A figure whose run fails prints "n/a". "--program PATH" measures another build of the program (an older one, for
// a comparison); SPRECHKIT_BENCH_RUNS lowers the number of runs.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using bench::median;

// The text in ten chapters, each opened by a "# " line at a line break near its tenth.
QByteArray inChapters(const QByteArray& text)
{
    QByteArray book;
    qint64 from = 0;
    for (int chapter = 1; chapter <= 10; ++chapter) {
        qint64 to = chapter == 10 ? text.size() : text.indexOf('\n', text.size() * chapter / 10);
        if (to < 0)
            to = text.size();
        book += "# Kapitel " + QByteArray::number(chapter) + "\n" + text.mid(from, to - from).trimmed() + "\n";
        from = to;
    }
    return book;
}

struct Run {
    bool ok = false;
    double seconds = 0;
    double peakRssMb = 0;
};

// Runs argv with standard input from a file, output to /dev/null, in folder; times it and reads its peak memory.
Run runProcess(const std::vector<QByteArray>& args, const QString& input, const QString& folder,
               const QProcessEnvironment& environment)
{
    std::vector<char*> argv;
    for (const QByteArray& arg : args)
        argv.push_back(const_cast<char*>(arg.constData()));
    argv.push_back(nullptr);
    std::vector<QByteArray> env;
    for (const QString& entry : environment.toStringList())
        env.push_back(entry.toLocal8Bit());
    std::vector<char*> envp;
    for (const QByteArray& entry : env)
        envp.push_back(const_cast<char*>(entry.constData()));
    envp.push_back(nullptr);
    const QByteArray in = QFile::encodeName(input), dir = QFile::encodeName(folder);

    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0) {
        const int inFd = ::open(in.constData(), O_RDONLY), nullFd = ::open("/dev/null", O_WRONLY);
        if (inFd < 0 || nullFd < 0 || ::chdir(dir.constData()) != 0)
            _exit(126);
        dup2(inFd, STDIN_FILENO);
        dup2(nullFd, STDOUT_FILENO);
        dup2(nullFd, STDERR_FILENO); // the encoders' notices would hide the figures
        execvpe(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    Run run;
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakRssMb = double(usage.ru_maxrss) / 1024.0;
    return run;
}

struct Format {
    const char* name;
    const char* encoder; // reads raw 16-bit mono 22050 Hz audio on stdin, writes the file named OUT
    bool size;
};

// The encoders at their defaults, as the pipeline users write them (flac needs -f to replace the last run's file).
const Format kFormats[] = {
    {"mp3", "lame --silent -r -s 22.05 -m m - OUT", true},
    {"ogg", "oggenc -Q -r -R 22050 -C 1 -o OUT -", false},
    {"opus", "opusenc --quiet --raw --raw-rate 22050 --raw-chan 1 - OUT", true},
    {"flac",
     "flac -s -f --force-raw-format --endian=little --sign=signed --channels=1 --bps=16 --sample-rate=22050 "
     "-o OUT -",
     false},
};

class ExportBench {
public:
    ExportBench(const QString& program, int runs)
        : m_runs(runs)
    {
        // A copy of the program with its own home, so no earlier settings or dictionary take part.
        m_program = m_dir.filePath(QStringLiteral("sprechkit"));
        bench::copyProgram(program, m_dir.path());
        QDir().mkpath(m_dir.filePath(QStringLiteral("home")));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("home")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); // as a runtime folder
        m_environment.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("home/.config")));
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("home")));
        m_environment.remove(QStringLiteral("DISPLAY"));
        m_text = m_dir.filePath(QStringLiteral("text.txt"));
        m_book = m_dir.filePath(QStringLiteral("book.txt"));
        const QByteArray text = bench::germanText(100 * 1024);
        QFile textFile(m_text), bookFile(m_book);
        m_ok = !text.isEmpty() && textFile.open(QIODevice::WriteOnly) && textFile.write(text) == text.size() &&
               bookFile.open(QIODevice::WriteOnly) && bookFile.write(inChapters(text)) > 0;
    }

    void exportRatio(const Format& format)
    {
        const QString ours = m_dir.filePath(QStringLiteral("ours.") + QLatin1String(format.name));
        const QString theirs = m_dir.filePath(QStringLiteral("theirs.") + QLatin1String(format.name));
        const QByteArray pipeline = "espeak-ng -v de --stdout | " +
                                    QByteArray(format.encoder).replace("OUT", "'" + QFile::encodeName(theirs) + "'");
        std::vector<double> oursS, theirsS;
        bool ok = m_ok;
        // Other programs share the machine: the program and the pipeline in turns, the median of each.
        for (int run = 0; ok && run < m_runs; ++run) {
            const Run program = runProcess({QFile::encodeName(m_program), "-", "?" + QFile::encodeName(ours)}, m_text,
                                           m_dir.path(), m_environment);
            const Run shell =
                runProcess({"bash", "-o", "pipefail", "-c", pipeline}, m_text, m_dir.path(), m_environment);
            ok = program.ok && shell.ok && QFileInfo(ours).size() > 0;
            oursS.push_back(program.seconds);
            theirsS.push_back(shell.seconds);
        }
        if (!ok) {
            std::printf("export_ratio_%s: n/a x\n", format.name);
            if (format.size)
                std::printf("export_size_ratio_%s: n/a x\n", format.name);
            return;
        }
        std::printf("export_ratio_%s: %.3f x\n", format.name, median(oursS) / median(theirsS));
        const double oursMb = double(QFileInfo(ours).size()) / 1e6, theirsMb = double(QFileInfo(theirs).size()) / 1e6;
        if (format.size)
            std::printf("export_size_ratio_%s: %.3f x\n", format.name, oursMb / theirsMb);
        std::fprintf(stderr, "  (%s: program %.1f s %.1f MB, pipeline %.1f s %.1f MB)\n", format.name, median(oursS),
                     oursMb, median(theirsS), theirsMb);
        std::fflush(stdout);
    }

    // Needs the program's chapters and subtitles; a program without them prints n/a.
    void bookChapters()
    {
        const QString book = m_dir.filePath(QStringLiteral("book.mp3"));
        std::vector<double> seconds;
        double peakRssMb = 0;
        for (int run = 0; m_ok && run < m_runs; ++run) {
            const Run program = runProcess({QFile::encodeName(m_program), "-", "?" + QFile::encodeName(book),
                                            "--chapters", "--subtitles", "srt,vtt"},
                                           m_book, m_dir.path(), m_environment);
            if (!program.ok || !QFileInfo::exists(m_dir.filePath(QStringLiteral("book-10.mp3"))))
                break;
            seconds.push_back(program.seconds);
            peakRssMb = std::max(peakRssMb, program.peakRssMb);
        }
        if (int(seconds.size()) < m_runs || seconds.empty()) {
            std::printf("book_chapters_s: n/a s\nbook_chapters_peak_rss_mb: n/a MB\n");
            return;
        }
        std::printf("book_chapters_s: %.2f s\nbook_chapters_peak_rss_mb: %.1f MB\n", median(seconds), peakRssMb);
    }

private:
    QTemporaryDir m_dir;
    QString m_program, m_text, m_book;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    int m_runs;
    bool m_ok = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QString program = QStringLiteral(SPRECHKIT_BINARY);
    const QStringList args = application.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--program")); at > 0 && at + 1 < args.size())
        program = args.at(at + 1);
    const int runs =
        qEnvironmentVariableIsSet("SPRECHKIT_BENCH_RUNS") ? qEnvironmentVariableIntValue("SPRECHKIT_BENCH_RUNS") : 5;
    ExportBench bench(program, std::max(1, runs));
    for (const Format& format : kFormats)
        bench.exportRatio(format);
    bench.bookChapters();
    return 0;
}
