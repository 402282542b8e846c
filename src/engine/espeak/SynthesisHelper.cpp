#include "engine/espeak/SynthesisHelper.h"

#include "base/system/PluginLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace speech {

namespace {

constexpr const char* kProgramName = "sprechkit-synth";
constexpr qint64 kReadBlock = 256 * 1024;

std::mutex g_programMutex;
QString g_programForTesting;

QString describe(int status)
{
    if (WIFSIGNALED(status))
        return QStringLiteral("it was ended by signal %1").arg(WTERMSIG(status));
    return QStringLiteral("it exited with code %1").arg(WEXITSTATUS(status));
}

bool writeAll(int fd, const char* data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(size), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

} // namespace

QString SynthesisHelper::program()
{
    {
        const std::lock_guard lock(g_programMutex);
        if (!g_programForTesting.isEmpty())
            return g_programForTesting;
    }
    if (!QCoreApplication::instance())
        return {};
    // Beside the plugins.
    for (const QString& folder : sys::partFolders()) {
        const QFileInfo candidate(folder + '/' + QLatin1String(kProgramName));
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return {};
}

void SynthesisHelper::setProgramForTesting(const QString& path)
{
    const std::lock_guard lock(g_programMutex);
    g_programForTesting = path;
}

SynthesisHelper::~SynthesisHelper()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_pid > 0)
            ::kill(m_pid, SIGKILL);
    }
    if (m_thread.joinable())
        m_thread.join();
    if (m_spool >= 0)
        ::close(m_spool);
}

core::Result SynthesisHelper::start(const QString& program, const QStringList& arguments, QByteArray input)
{
    const auto failed = [&](const char* what) {
        return core::Result::failure(QStringLiteral("The synthesis helper %1 cannot be started: %2 (%3)")
                                         .arg(program, QLatin1String(what), QString::fromLocal8Bit(strerror(errno))));
    };
    // Unlinked at once: nothing is left behind, whatever happens to the program.
    QByteArray spoolName = QFile::encodeName(QDir::tempPath()) + "/sprechkit-synth-XXXXXX";
    m_spool = ::mkostemp(spoolName.data(), O_CLOEXEC);
    if (m_spool < 0)
        return failed("no temporary file");
    ::unlink(spoolName.constData());

    // A socket for the input: writing to it after the helper died fails instead of raising SIGPIPE.
    int in[2], out[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, in) != 0)
        return failed("no socket");
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return failed("no pipe");
    }
    std::vector<QByteArray> args{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        args.push_back(argument.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[1]);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(in[0]);
        ::close(out[0]);
        errno = spawned;
        return failed("no process");
    }
    m_pid = pid;
    m_input = std::move(input);
    m_thread = std::thread([this, input = in[0], output = out[0]] { pump(input, output); });
    return {};
}

void SynthesisHelper::pump(int input, int output)
{
    // The helper reads all of its text before it writes anything, so writing it first cannot block both sides.
    const char* data = m_input.constData();
    for (qint64 left = m_input.size(); left > 0;) {
        const ssize_t n = ::send(input, data, size_t(left), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // it died; its exit says why
        data += n;
        left -= n;
    }
    ::close(input);
    m_input = QByteArray();

    QString spoolError;
    std::vector<char> block(size_t(64 * 1024));
    for (qint64 spooled = 0;;) {
        const ssize_t n = ::read(output, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (!writeAll(m_spool, block.data(), n, spooled)) {
            spoolError = QStringLiteral("its output cannot be kept in a temporary file (%1)")
                             .arg(QString::fromLocal8Bit(strerror(errno)));
            const std::lock_guard lock(m_mutex);
            ::kill(m_pid, SIGKILL);
            break;
        }
        spooled += n;
        {
            const std::lock_guard lock(m_mutex);
            m_spooled = spooled;
        }
        m_changed.notify_all();
    }
    ::close(output);
    // Wait for the end without reaping, so that the destructor's kill can never hit a reused process id.
    siginfo_t info;
    while (::waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    int status = 0;
    {
        const std::lock_guard lock(m_mutex);
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
        m_exitReason = spoolError.isEmpty() ? describe(status) : spoolError;
        m_ended = true;
    }
    m_changed.notify_all();
}

bool SynthesisHelper::fill()
{
    qint64 available = 0;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_spooled > m_readPos || m_ended; });
        available = m_spooled - m_readPos;
    }
    if (available <= 0)
        return false;
    m_buffer.resize(qsizetype(qMin(available, kReadBlock)));
    for (qsizetype got = 0; got < m_buffer.size();) {
        const ssize_t n = ::pread(m_spool, m_buffer.data() + got, size_t(m_buffer.size() - got), m_readPos + got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        got += n;
    }
    m_readPos += m_buffer.size();
    m_bufferPos = 0;
    return true;
}

bool SynthesisHelper::read(char* data, size_t size)
{
    while (size > 0) {
        if (m_bufferPos == m_buffer.size() && !fill())
            return false;
        const size_t take = qMin(size, size_t(m_buffer.size() - m_bufferPos));
        std::memcpy(data, m_buffer.constData() + m_bufferPos, take);
        m_bufferPos += qsizetype(take);
        data += take;
        size -= take;
    }
    return true;
}

QString SynthesisHelper::exitReason()
{
    const std::lock_guard lock(m_mutex);
    return m_exitReason;
}

} // namespace speech
