// The single-string splitter and the analysis of what it gives, run from a folder that holds a script.

#include "FuzzInput.h"

#include "core/CommandLine.h"
#include "core/ReplaceString.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString& folderPath()
{
    static QString path;
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    answerMessageBoxes();
    static QTemporaryDir folder;
    folderPath() = folder.path() + QLatin1Char('/');
    QFile script(folder.filePath(QStringLiteral("job.tts")));
    if (!script.open(QIODevice::WriteOnly))
        std::abort();
    script.write("[Program]\r\nText = Hallo|Welt\r\n[Voice]\r\nWavFile = ausgabe ' Kommentar\r\n");
    script.close();
    QDir::setCurrent(folder.path()); // relative script names resolve here, not wherever the fuzzer was started
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString commandLine = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList arguments = core::splitCommandLine(commandLine);
    for (const QString& argument : arguments)
        FUZZ_CHECK(!argument.contains(QLatin1Char('"')));

    const core::RunMode mode = core::analyseCommandLine(arguments, folderPath());
    FUZZ_CHECK(mode.wavTarget.isEmpty() || mode.wavTarget.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive));
    FUZZ_CHECK(!(mode.scriptRun && mode.commandLineTextRun));
    if (mode.scriptPath.isEmpty())
        FUZZ_CHECK(!mode.scriptRun && mode.missingScriptMessage.isEmpty());
    else
        FUZZ_CHECK(mode.scriptRun == mode.missingScriptMessage.isEmpty());
    if (mode.commandLineTextRun)
        FUZZ_CHECK(mode.boxText ==
                   core::ReplaceString(mode.commandLineText, QStringLiteral("|"), QStringLiteral("\r\n"), true));
    return 0;
}
