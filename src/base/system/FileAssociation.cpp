#include "base/system/FileAssociation.h"

#include "base/core/ProgramLocation.h"
#include "base/system/ReplaceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace sys {

namespace {

const QString kDefaultSection = QStringLiteral("[Default Applications]");

// The program path as one argument of Exec: quoted, with the characters the quoting reserves escaped, then
// escaped once more as a desktop-file string, and "%" doubled so it is no field code.
QString execArgument(const QString& path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    return quoted;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The association reports nothing, as a start must not fail over it: a file that cannot be written counts as not
// written and is tried again at the next start. This is where the reasons of its write failures are dropped.
bool writeQuietly(const QString& path, const QByteArray& bytes)
{
    return replaceFile(path, bytes).ok();
}

// Writes only when the content differs, so an unchanged file keeps its time.
bool ensureContent(const QString& path, const QByteArray& bytes, QStringList& written)
{
    if (QFileInfo(path).isFile() && readAll(path) == bytes)
        return false;
    if (!writeQuietly(path, bytes))
        return false;
    written.append(path);
    return true;
}

// The desktop entries listed for a type in the [Default Applications] section of one mimeapps.list.
QString defaultFor(const QByteArray& content, const QString& type)
{
    bool inSection = false;
    for (const QString& rawLine : QString::fromUtf8(content).split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line == kDefaultSection;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inSection && equals > 0 && line.left(equals).trimmed() == type)
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

// A database needs its tool when a source changed or it was never built (the tool was missing before).
bool isStale(const QString& cache, const QString& source, bool sourceWritten)
{
    const QFileInfo cacheInfo(cache);
    return sourceWritten || !cacheInfo.exists() || cacheInfo.lastModified() < QFileInfo(source).lastModified();
}

FileAssociation::Refresh& refreshOverride()
{
    static FileAssociation::Refresh refresh;
    return refresh;
}

void startTools(const QList<QStringList>& commands)
{
    for (const QStringList& command : commands) {
        const QString program = QStandardPaths::findExecutable(command.first());
        if (!program.isEmpty())
            QProcess::startDetached(program, command.mid(1));
    }
}

QStringList splitDirs(const QByteArray& value, const QStringList& fallback)
{
    const QStringList dirs = QString::fromLocal8Bit(value).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return dirs.isEmpty() ? fallback : dirs;
}

} // namespace

AssociationFolders AssociationFolders::current()
{
    AssociationFolders folders;
    folders.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    folders.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    folders.systemConfig = splitDirs(qgetenv("XDG_CONFIG_DIRS"), {QStringLiteral("/etc/xdg")});
    folders.systemData =
        splitDirs(qgetenv("XDG_DATA_DIRS"), {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    return folders;
}

FileAssociation::FileAssociation(QString programPath, AssociationFolders folders, QByteArray icon, Refresh refresh)
    : m_programPath(std::move(programPath))
    , m_folders(std::move(folders))
    , m_icon(std::move(icon))
    , m_refresh(std::move(refresh))
{
}

QString FileAssociation::mimePackagePath() const
{
    return m_folders.dataHome + QStringLiteral("/mime/packages/sprechkit-tts.xml");
}

QString FileAssociation::desktopEntryPath() const
{
    return m_folders.dataHome + QStringLiteral("/applications/") + QLatin1String(kDesktopId);
}

QString FileAssociation::iconPath() const
{
    return m_folders.dataHome + QStringLiteral("/icons/hicolor/scalable/apps/") + QLatin1String(kIconName) +
           QStringLiteral(".svg");
}

QString FileAssociation::mimeappsPath() const
{
    return m_folders.configHome + QStringLiteral("/mimeapps.list");
}

QString FileAssociation::desktopEntry() const
{
    // Hidden from the menu: the installed entry is the menu's; this one only carries the association and
    // follows the program file that ran last.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Sprechkit\n"
                          "Comment=Skript mit Sprechkit ausführen\n"
                          "Exec=%1 %f\n"
                          "Icon=%2\n"
                          "MimeType=text/x-sprechkit-script;\n"
                          "NoDisplay=true\n"
                          "Terminal=false\n")
        .arg(execArgument(m_programPath), QLatin1String(kIconName));
}

QStringList FileAssociation::check() const
{
    QStringList written;
    // A path with a line break or other control character cannot be written into an Exec line safely.
    for (const QChar c : m_programPath) {
        if (c.category() == QChar::Other_Control)
            return written;
    }
    if (m_folders.dataHome.isEmpty() || m_programPath.isEmpty())
        return written;

    const bool mimeWritten =
        ensureContent(mimePackagePath(), readAll(QStringLiteral(":/sprechkit/sprechkit-tts.xml")), written);
    bool desktopWritten = ensureContent(desktopEntryPath(), desktopEntry().toUtf8(), written);
    if (!m_icon.isEmpty())
        ensureContent(iconPath(), m_icon, written);
    if (!defaultApplicationSet() && writeDefaultApplication()) {
        written.append(mimeappsPath());
        desktopWritten = true;
    }

    QList<QStringList> commands;
    const QString mimeDir = m_folders.dataHome + QStringLiteral("/mime");
    if (isStale(mimeDir + QStringLiteral("/mime.cache"), mimePackagePath(), mimeWritten))
        commands.append({QStringLiteral("update-mime-database"), mimeDir});
    const QString applicationsDir = m_folders.dataHome + QStringLiteral("/applications");
    if (isStale(applicationsDir + QStringLiteral("/mimeinfo.cache"), desktopEntryPath(), desktopWritten))
        commands.append({QStringLiteral("update-desktop-database"), applicationsDir});
    if (!commands.isEmpty() && m_refresh)
        m_refresh(commands);
    return written;
}

bool FileAssociation::defaultApplicationSet() const
{
    // Every mimeapps.list a desktop consults, the user's first: a default set anywhere is left alone.
    QStringList files = {mimeappsPath()};
    for (const QString& dir : m_folders.systemConfig)
        files.append(dir + QStringLiteral("/mimeapps.list"));
    files.append(m_folders.dataHome + QStringLiteral("/applications/mimeapps.list"));
    for (const QString& dir : m_folders.systemData)
        files.append(dir + QStringLiteral("/applications/mimeapps.list"));
    for (const QString& file : files) {
        if (!defaultFor(readAll(file), QLatin1String(kMimeType)).isEmpty())
            return true;
    }
    return false;
}

bool FileAssociation::writeDefaultApplication() const
{
    QByteArray content = readAll(mimeappsPath());
    if (QFileInfo::exists(mimeappsPath()) && content.isEmpty() && QFileInfo(mimeappsPath()).size() > 0)
        return false; // unreadable: rewriting it would lose the user's other associations
    const QByteArray line = QByteArray(kMimeType) + '=' + kDesktopId + ";\n";
    const qsizetype section = content.indexOf(kDefaultSection.toUtf8());
    if (section >= 0) {
        qsizetype lineEnd = content.indexOf('\n', section);
        if (lineEnd < 0) {
            content.append('\n');
            lineEnd = content.size() - 1;
        }
        content.insert(lineEnd + 1, line);
    } else {
        if (!content.isEmpty() && !content.endsWith('\n'))
            content.append('\n');
        if (!content.isEmpty())
            content.append('\n');
        content.append(kDefaultSection.toUtf8() + '\n' + line);
    }
    return writeQuietly(mimeappsPath(), content);
}

void ChkRegistry()
{
    const FileAssociation::Refresh& refresh = refreshOverride();
    FileAssociation association(core::GetExePath(), AssociationFolders::current(),
                                readAll(QStringLiteral(":/sprechkit/sprechkit.svg")),
                                refresh ? refresh : FileAssociation::Refresh(startTools));
    association.check();
}

void setDatabaseRefreshForTesting(FileAssociation::Refresh refresh)
{
    refreshOverride() = std::move(refresh);
}

} // namespace sys
