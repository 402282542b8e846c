#include "base/text/DictionaryFile.h"

#include "base/core/RegularFile.h"
#include "base/core/SafeWrite.h"
#include "base/core/TextDecoding.h"
#include "base/text/ReplaceString.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <optional>

namespace text::DictionaryFile {

namespace {

const QString kFieldSeparator = QStringLiteral(";");
const QString kEscapedSeparator = QStringLiteral(",,");
constexpr qsizetype kChunkSize = 1 << 20;

// Older files held three quoted fields, the flag first: "1","Hr.","Herr". Gives the current form, or an empty
// string when the line does not make three fields.
QString convertLegacyLine(const QString& line)
{
    QString converted = core::ReplaceString(line, QStringLiteral("\",\""), kFieldSeparator, true).text;
    converted.remove(QLatin1Char('"'));
    const QStringList parts = converted.split(kFieldSeparator);
    if (parts.size() != 3)
        return QString();
    return parts[1] + kFieldSeparator + parts[2] + kFieldSeparator + parts[0];
}

// Every line this program writes ends in its flag; a line of older files ends in a quote.
bool isCurrentForm(const QString& line)
{
    return line.endsWith(QLatin1String(";1")) || line.endsWith(QLatin1String(";0"));
}

// The first three fields; missing ones are empty, further ones ignored. Views, not a list of strings: a big
// dictionary has millions of lines.
DictionaryRow rowFromLine(QStringView line)
{
    QStringView fields[3];
    for (QStringView& field : fields) {
        const qsizetype end = line.indexOf(u';');
        field = end < 0 ? line : line.first(end);
        line = end < 0 ? QStringView() : line.sliced(end + 1);
    }
    QString rowText;
    rowText.reserve(fields[0].size() + kEntrySeparator.size() + fields[1].size());
    rowText.append(fields[0]).append(kEntrySeparator).append(fields[1]);
    if (rowText.contains(kEscapedSeparator))
        rowText = core::ReplaceString(rowText, kEscapedSeparator, kFieldSeparator, false).text;
    return {rowText, fields[2] == u"1"};
}

// One line of the file, never empty. An entry whose text holds a quote, comma, quote is still of the current
// form: only a line that does not end in its flag is read as an older line. A line that is neither (an older line
// that does not make three fields) is kept as an unchecked row of its whole text rather than dropped, so the next
// save writes it back instead of losing it, and the user sees it in the list.
DictionaryRow rowFromText(const QString& line)
{
    if (line.contains(QLatin1String("\",\"")) && !isCurrentForm(line)) {
        const QString converted = convertLegacyLine(line);
        if (!converted.isEmpty())
            return rowFromLine(converted);
    }
    return rowFromLine(line);
}

DictionaryRow rowFromBytes(QByteArrayView bytes)
{
    return rowFromText(core::decodeLineUtf8OrWindows1252(bytes));
}

// A line of a UTF-16 file. Half of a surrogate pair cannot be written as UTF-8: it is read as what the next start
// would read back, so the saved file holds the same rows.
DictionaryRow rowFromUtf16(QStringView line)
{
    return rowFromText(line.isValidUtf16() ? line.toString() : QString::fromUtf8(line.toUtf8()));
}

// Hands every complete line of view to row(); the start of a line whose end has not been read yet waits in
// pending. LF, CR and CR LF all end a line; empty lines are never written and are skipped (a row for one would
// invent an entry).
template <typename View, typename Pending, typename Row>
void splitLines(View view, Pending& pending, QList<DictionaryRow>& rows, Row row)
{
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < view.size(); ++i) {
        if (view[i] != u'\n' && view[i] != u'\r')
            continue;
        if (!pending.isEmpty()) {
            pending.append(view.sliced(lineStart, i - lineStart));
            rows.append(row(pending));
            pending.clear();
        } else if (i > lineStart) {
            rows.append(row(view.sliced(lineStart, i - lineStart)));
        }
        lineStart = i + 1;
    }
    pending.append(view.sliced(lineStart));
}

// The format has no escape for a line break: inside a field it would cut the entry in two lines.
QString withoutLineBreaks(QString field)
{
    return field.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QByteArray encodeRows(const QList<DictionaryRow>& rows)
{
    QString content;
    for (const DictionaryRow& row : rows) {
        const DictionaryEntry entry =
            splitRow(core::ReplaceString(row.text, kFieldSeparator, kEscapedSeparator, true).text);
        if (entry.search.isEmpty())
            continue;
        content += withoutLineBreaks(entry.search) + kFieldSeparator + withoutLineBreaks(entry.replacement) +
                   kFieldSeparator + (row.checked ? QLatin1Char('1') : QLatin1Char('0')) + QLatin1String("\r\n");
    }
    // The reader drops one byte-order mark at the start: a first search word that begins with one keeps it.
    if (content.startsWith(QChar(0xFEFF)))
        content.prepend(QChar(0xFEFF));
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
    QFile file;
    if (result.read = core::openRegularFile(file, path, core::kMaxDictionaryBytes); !result.read)
        return result;

    // Read in pieces, line by line: a big dictionary never sits in memory as a whole besides its rows.
    QByteArray chunk(kChunkSize, Qt::Uninitialized);
    QByteArray pending;                  // the start of a line whose end has not been read yet
    QString pendingText;                 // the same in a UTF-16 file
    std::optional<QStringDecoder> utf16; // keeps a character cut by the end of a piece for the next one
    bool atStart = true;
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0) {
            // Only complete lines count: the pending start of a line is dropped.
            result.read = core::Result::failure(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
            break;
        }
        if (got == 0) {
            if (!pending.isEmpty())
                result.rows.append(rowFromBytes(pending));
            if (!pendingText.isEmpty())
                result.rows.append(rowFromUtf16(pendingText));
            break;
        }
        QByteArrayView view(chunk.constData(), got);
        if (atStart) {
            // A byte-order mark says the encoding of the whole file; without one each line decides for itself.
            if (const auto byteOrder = core::utf16ByteOrder(view)) {
                utf16.emplace(*byteOrder, QStringDecoder::Flag::ConvertInitialBom);
                view = view.sliced(2);
            } else if (view.startsWith("\xEF\xBB\xBF")) {
                view = view.sliced(3);
            }
            atStart = false;
        }
        if (utf16) {
            const QString text = utf16->decode(view);
            splitLines(QStringView(text), pendingText, result.rows, rowFromUtf16);
        } else {
            splitLines(view, pending, result.rows, rowFromBytes);
        }
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
