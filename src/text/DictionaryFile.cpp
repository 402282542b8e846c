#include "text/DictionaryFile.h"

#include "core/ReplaceString.h"
#include "core/SafeWrite.h"
#include "core/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <algorithm>

namespace text::DictionaryFile {

namespace {

const QString kFieldSeparator = QStringLiteral(";");
const QString kEscapedSeparator = QStringLiteral(",,");

// Reads until the end or the first error; on an error only the complete lines read so far count.
QByteArray readBytes(QFile& file, core::Result* read)
{
    QByteArray bytes;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0) {
            *read =
                core::Result::failure(QStringLiteral("Cannot read %1: %2").arg(file.fileName(), file.errorString()));
            const qsizetype lastLineEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
            bytes.truncate(lastLineEnd + 1);
            return bytes;
        }
        if (got == 0)
            return bytes;
        bytes.append(buffer, got);
    }
}

// Older files held three quoted fields, the flag first: "1","Hr.","Herr". Gives the current form, or an empty
// string when the line does not make three fields.
QString convertLegacyLine(const QString& line)
{
    QString converted = core::ReplaceString(line, QStringLiteral("\",\""), kFieldSeparator, true);
    converted.remove(QLatin1Char('"'));
    const QStringList parts = converted.split(kFieldSeparator);
    if (parts.size() != 3)
        return QString();
    return parts[1] + kFieldSeparator + parts[2] + kFieldSeparator + parts[0];
}

DictionaryRow rowFromLine(const QString& line)
{
    const QStringList fields = line.split(kFieldSeparator);
    const QString search = fields.value(0);
    const QString replacement = fields.value(1);
    const QString rowText =
        core::ReplaceString(search + kEntrySeparator + replacement, kEscapedSeparator, kFieldSeparator, false);
    return {rowText, fields.value(2) == QLatin1String("1")};
}

QByteArray encodeRows(const QList<DictionaryRow>& rows)
{
    QString content;
    for (const DictionaryRow& row : rows) {
        const DictionaryEntry entry = splitRow(core::ReplaceString(row.text, kFieldSeparator, kEscapedSeparator, true));
        if (entry.search.isEmpty())
            continue;
        content += entry.search + kFieldSeparator + entry.replacement + kFieldSeparator +
                   (row.checked ? QLatin1Char('1') : QLatin1Char('0')) + QLatin1String("\r\n");
    }
    return content.toUtf8();
}

} // namespace

QList<DictionaryRow> defaultRows()
{
    return {{QStringLiteral("TTS") + kEntrySeparator + QStringLiteral("Text-To-Speech"), true},
            {QStringLiteral("ftp://*") + kEntrySeparator + QStringLiteral("(Link)"), true},
            {QStringLiteral("http://*") + kEntrySeparator + QStringLiteral("(Link)"), true}};
}

LoadResult load(const QString& path)
{
    LoadResult result;
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() < 1)) {
        result.rows = defaultRows();
        result.usedDefaults = true;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.read = core::Result::failure(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
        return result;
    }
    const QString content = core::decodeUtf8OrWindows1252(readBytes(file, &result.read));

    // Files edited elsewhere may end their lines with LF or CR alone.
    QString normalized = content;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = normalized.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.isEmpty())
            continue; // never written; taking it as a row would repeat or invent an entry
        if (line.contains(QLatin1String("\",\""))) {
            line = convertLegacyLine(line);
            if (line.isEmpty())
                continue;
        }
        result.rows.append(rowFromLine(line));
    }
    return result;
}

core::Result save(const QString& path, const QList<DictionaryRow>& rows)
{
    const QByteArray bytes = encodeRows(rows);
    const QFileInfo info(path);
    if (bytes.isEmpty()) {
        // No entry to keep: no empty file either, so the defaults come back at the next start.
        if (info.exists() || info.isSymLink()) {
            QFile file(path);
            if (!file.remove())
                return core::Result::failure(QStringLiteral("Cannot remove %1: %2").arg(path, file.errorString()));
        }
        return {};
    }
    // Replacing the file by rename would get round its write protection; respect it instead.
    if (info.exists() && !isWritable(path))
        return core::Result::failure(QStringLiteral("Cannot write %1: the file is write-protected").arg(path));
    return core::replaceFileContents(path, bytes);
}

bool isWritable(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile())
            return false;
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Append); // closed again without writing
    }
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".sprechkit-probe-XXXXXX")));
    return probe.open(); // removed again when the probe goes out of scope
}

} // namespace text::DictionaryFile
