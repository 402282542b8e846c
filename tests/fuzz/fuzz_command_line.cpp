// The single-string splitter and the analysis of what it gives, run from a folder that holds a script.

#include "FuzzInput.h"

#include "base/core/CommandLine.h"
#include "base/text/ReplaceString.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString commandLine = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList arguments = core::splitCommandLine(commandLine);
    for (const QString& argument : arguments)
        FUZZ_CHECK(!argument.contains(QLatin1Char('"')));

    // A folder with a script, made the current one: relative script names resolve there, not wherever the fuzzer
    // runs.
    static const QString folder = [] {
        QFile script(fuzzFilePath(QStringLiteral("job.tts")));
        FUZZ_CHECK(script.open(QIODevice::WriteOnly));
        script.write("[Program]\r\nText = Hallo|Welt\r\n[Voice]\r\nWavFile = ausgabe ' Kommentar\r\n");
        QDir::setCurrent(fuzzFilePath(QString()));
        return fuzzFilePath(QString()) + QLatin1Char('/');
    }();
    const core::RunMode mode = core::analyseCommandLine(arguments, folder);
    FUZZ_CHECK(mode.wavTarget.isEmpty() || mode.wavTarget.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive));
    FUZZ_CHECK(!(mode.scriptRun && mode.commandLineTextRun));
    if (mode.scriptPath.isEmpty()) // "--file" without a name is the one message that names no script
        FUZZ_CHECK(!mode.scriptRun &&
                   mode.missingScriptMessage.isEmpty() == !(mode.textFromDocument && mode.documentPath.isEmpty()));
    else
        FUZZ_CHECK(mode.scriptRun == mode.missingScriptMessage.isEmpty());
    if (mode.commandLineTextRun)
        FUZZ_CHECK(mode.boxText ==
                   core::ReplaceString(mode.commandLineText, QStringLiteral("|"), QStringLiteral("\r\n"), true).text);
    return 0;
}
