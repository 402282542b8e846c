#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

ProgramRun::ProgramRun()
{
    QFile::copy(QStringLiteral(SPRECHKIT_BINARY), programPath());
    // Its plugins, which it looks for beside itself.
    QFile::link(QFileInfo(QStringLiteral(SPRECHKIT_BINARY)).absolutePath() + QStringLiteral("/lib"),
                m_dir.filePath(QStringLiteral("lib")));
    QFile::setPermissions(programPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString home = m_dir.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert(QStringLiteral("HOME"), home);
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    m_environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    // No display: the runs under test never show their window and must work without one.
    m_environment.remove(QStringLiteral("DISPLAY"));
    m_environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // Nor the user's session bus: a window there would take the remote actions of the user's own.
    m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
}

QString ProgramRun::settingsFile() const
{
    return m_dir.filePath(QStringLiteral("home/.config/Sprechkit/Tools.ini"));
}

void ProgramRun::writeFile(const QString& name, const QByteArray& content) const
{
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QByteArray ProgramRun::readFile(const QString& name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ProgramRun::Result ProgramRun::run(const QStringList& arguments, int timeoutMs, const QByteArray& standardInput) const
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.setWorkingDirectory(dir());
    process.start(programPath(), arguments);
    process.write(standardInput);
    process.closeWriteChannel();
    Result result;
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.standardError = QString::fromUtf8(process.readAllStandardError());
    return result;
}
