#include "base/core/ArgumentDecoding.h"

#include "base/core/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

bool isRegularFile(const QByteArray& path)
{
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

// A link named like the file (its odd bytes shown as U+FFFD), so the name keeps its extension.
QString linkTo(const QByteArray& target, const QString& name)
{
    static QTemporaryDir links; // removed when the program ends
    if (!links.isValid())
        return {};
    const QByteArray absolute = target.startsWith('/') ? target : QFile::encodeName(QDir::currentPath()) + '/' + target;
    for (int n = 0;; ++n) {
        const QString link = links.filePath(QString::number(n) + QLatin1Char('/') + QFileInfo(name).fileName());
        if (QFileInfo::exists(QFileInfo(link).path()))
            continue;
        QDir().mkpath(QFileInfo(link).path());
        return ::symlink(absolute.constData(), QFile::encodeName(link).constData()) == 0 ? link : QString();
    }
}

} // namespace

QStringList decodeArguments(const QList<QByteArray>& arguments, const QByteArray& exeDir)
{
    QStringList decoded;
    for (const QByteArray& bytes : arguments) {
        QString text = QFile::decodeName(bytes);
        if (QFile::encodeName(text) != bytes) {
            const bool besideProgram = bytes.startsWith('@');
            const QByteArray file = besideProgram ? exeDir + bytes.mid(1) : bytes;
            const bool script = text.contains(QLatin1String(".tts"), Qt::CaseInsensitive) ||
                                text.contains(QLatin1String(".ini"), Qt::CaseInsensitive);
            const QString link =
                script && isRegularFile(file) ? linkTo(file, text.mid(besideProgram ? 1 : 0)) : QString();
            text = link.isEmpty() ? decodeUtf8OrWindows1252(bytes) : link;
        }
        decoded.append(text);
    }
    return decoded;
}

} // namespace core
