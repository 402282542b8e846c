#include "base/core/CommandLine.h"

#include "base/core/IniFile.h"
#include "base/core/ProgramLocation.h"
#include "base/core/StandardInput.h"

#include <QFileInfo>

#include <algorithm>

namespace core {

namespace {

QStringList& storedArguments()
{
    static QStringList arguments;
    return arguments;
}

bool isScriptPath(const QString& argument)
{
    return argument.contains(QLatin1String(".tts"), Qt::CaseInsensitive) ||
           argument.contains(QLatin1String(".ini"), Qt::CaseInsensitive);
}

// A target whose file name does not already end in ".wav" or in an extension of the other formats the writer
// knows gets ".wav" appended. Only the file name is looked at, so a script cannot name "x.wav/../../.profile" and
// have some other file overwritten with audio.
QString withWavExtension(const QString& target)
{
    if (target.isEmpty())
        return target;
    const QString fileName = target.mid(target.lastIndexOf(QLatin1Char('/')) + 1);
    for (const char* extension : {".wav", ".mp3", ".ogg", ".opus", ".flac"}) {
        if (fileName.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return target;
    }
    return target + QLatin1String(".wav");
}

// Takes "--subtitles LIST" and "--chapters" after the first argument that names a WAV target out of the arguments.
// Other arguments stay where they are, so that options of their own (a document before the target) still parse.
void takeBookOptions(QStringList& arguments, RunMode& mode)
{
    const auto target = std::find_if(arguments.begin() + qMin<qsizetype>(1, arguments.size()), arguments.end(),
                                     [](const QString& a) { return a.startsWith(QLatin1Char('?')); });
    qsizetype i = target - arguments.begin() + 1;
    while (i < arguments.size() && mode.optionError.isEmpty()) {
        const QString option = arguments.at(i);
        if (option == QLatin1String("--chapters")) {
            mode.chapters = true;
            arguments.removeAt(i);
        } else if (option == QLatin1String("--subtitles")) {
            const QString list = arguments.value(i + 1);
            arguments.remove(i, qMin<qsizetype>(2, arguments.size() - i));
            if (list.isEmpty() || list.startsWith(QLatin1String("--")))
                mode.optionError =
                    QStringLiteral("  Nach --subtitles fehlt die Liste der Formate (srt, vtt, lrc) ...    ");
            for (const QString& item : list.split(QLatin1Char(','))) {
                const QString format = item.trimmed().toLower();
                if (!mode.optionError.isEmpty())
                    break;
                if (format != QLatin1String("srt") && format != QLatin1String("vtt") && format != QLatin1String("lrc"))
                    mode.optionError = QStringLiteral("  Unbekanntes Untertitelformat ''") + item +
                                       QStringLiteral("'' (möglich sind srt, vtt, lrc) ...    ");
                else if (!mode.subtitles.contains(format))
                    mode.subtitles.append(format);
            }
        } else {
            ++i;
        }
    }
}

} // namespace

QStringList splitCommandLine(const QString& commandLine)
{
    if (commandLine.isEmpty())
        return {};
    QStringList arguments{QString()};
    bool quoted = false;
    for (const QChar c : commandLine) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(' ') && !quoted)
            arguments.append(QString());
        else
            arguments.last().append(c);
    }
    return arguments;
}

void setCommandLineArguments(const QStringList& arguments)
{
    storedArguments() = arguments;
}

QString GetCMD(int n)
{
    const QStringList& arguments = storedArguments();
    if (n == 0)
        return QString::number(arguments.size());
    return arguments.value(n - 1);
}

RunMode analyseCommandLine(const QStringList& givenArguments, const QString& exeDir)
{
    // "--file PATH" counts only as the first argument, and then the arguments after it mean what they mean after
    // a text: it is analysed as a plain text whose words the document gives later.
    if (givenArguments.value(0) == QLatin1String("--file")) {
        RunMode mode = analyseCommandLine(QStringList{QStringLiteral("file")} + givenArguments.mid(2), exeDir);
        mode.commandLineText.clear();
        mode.boxText.clear();
        mode.textFromDocument = true;
        mode.documentPath = givenArguments.value(1);
        if (mode.documentPath.isEmpty())
            mode.missingScriptMessage = QStringLiteral("  Nach --file fehlt der Name eines Dokuments ...    ");
        return mode;
    }

    RunMode mode;
    QStringList arguments = givenArguments;
    takeBookOptions(arguments, mode);
    QString a1 = arguments.value(0);
    const QString a2 = arguments.value(1);
    QString a3 = arguments.value(2);
    if (a1.isEmpty())
        return mode;

    const bool a2IsOption = a2.startsWith(QLatin1Char('?')) || a2 == QLatin1String("!!") || a2 == QLatin1String("!");
    if (a2IsOption)
        a3 = a2;
    if (a3.startsWith(QLatin1Char('?'))) {
        mode.wavTarget = a3.mid(1);
        a3.clear();
    }

    if (isScriptPath(a1)) {
        if (a1.startsWith(QLatin1Char('@')))
            a1 = exeDir + a1.mid(1);
        // Resolved once against the current folder, so the values are read from the very file that was found.
        mode.scriptPath = QFileInfo(a1).absoluteFilePath();
        const qint64 size = FileSize(mode.scriptPath);
        // A script that cannot be read as text (a binary file named by mistake) would run as an empty one.
        const ResultOf<QString> text = size > 0 ? readIniText(mode.scriptPath) : ResultOf<QString>(QString());
        if (size > 0 && text) {
            mode.scriptRun = true;
            if (!a2IsOption)
                mode.commandLineText = a2;
            mode.textFromStandardInput = !a2IsOption && isStandardInputText(a2);
        } else if (size > 0) {
            mode.missingScriptMessage = QStringLiteral("  Datei ''") + a1 +
                                        QStringLiteral("'' kann nicht gelesen werden ...    \r\n") + text.error();
        } else {
            mode.missingScriptMessage = QStringLiteral("  Datei ''") + a1 + QStringLiteral("'' nicht gefunden ...    ");
        }
    } else {
        a3 = a2;
        mode.commandLineText = a1;
        mode.commandLineTextRun = true;
        mode.textFromStandardInput = isStandardInputText(a1);
        mode.boxText = QString(a1).replace(QLatin1Char('|'), QStringLiteral("\r\n"));
    }

    if (mode.wavTarget.isEmpty() && mode.scriptRun)
        mode.wavTarget = ReadINI(mode.scriptPath, QStringLiteral("Voice"), QStringLiteral("WavFile"), true);
    mode.wavTarget = withWavExtension(mode.wavTarget);
    mode.optionArgument = a3;
    return mode;
}

} // namespace core
