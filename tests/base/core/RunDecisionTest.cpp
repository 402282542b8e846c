#include "base/core/RunDecision.h"
#include "base/core/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The command-line forms the decision tells apart.
core::RunMode commandLine(const char* form)
{
    core::RunMode run;
    const QString f = QLatin1String(form);
    if (f.startsWith(QLatin1String("script"))) {
        run.scriptRun = true;
        run.scriptPath = QStringLiteral("/job.tts");
    } else if (f == QLatin1String("missing script")) {
        run.missingScriptMessage = QStringLiteral("  Datei ''x.tts'' nicht gefunden ...    ");
    } else {
        run.commandLineTextRun = true;
        run.commandLineText = QStringLiteral("Hallo");
    }
    if (f.endsWith(QLatin1String(" !!")))
        run.optionArgument = QStringLiteral("!!");
    else if (f.endsWith(QLatin1String(" !")))
        run.optionArgument = QStringLiteral("!");
    if (f.endsWith(QLatin1String(" ?wav")))
        run.wavTarget = QStringLiteral("/tmp/a.wav");
    return run;
}

} // namespace

TEST(RunDecision, CommandLineFormsAndScriptKeysGiveHideStartAndClose)
{
    struct Row {
        const char* form;
        core::ScriptProgramKeys script; // Hide, Start, Close
        int hide, start, close;
        bool startsJob, neverShowsWindow;
    };
    const Row rows[] = {
        {"text", {}, 0, 0, 0, true, false},
        {"text", {1, 1, 1}, 0, 0, 0, true, false}, // keys count only for a script run
        {"text !", {}, 0, 0, 1, true, false},
        {"text !!", {}, 1, 0, 0, true, true},
        {"text ?wav", {}, 1, 0, 0, true, true},
        {"script", {}, 0, 0, 0, false, false},
        {"script", {2, 0, 0}, 1, 0, 0, true, true}, // any Hide but 0 hides and starts
        {"script", {-1, 0, 0}, 1, 0, 0, true, true},
        {"script", {0, 1, 0}, 0, 1, 0, true, false},
        {"script", {0, 2, 2}, 0, 2, 2, false, false}, // only Start = 1 starts; Close keeps its number
        {"script !", {0, 0, 0}, 0, 0, 1, false, false},
        {"script !!", {0, 0, 3}, 1, 0, 3, true, true},
        {"script ?wav", {}, 1, 0, 0, true, true},
        {"missing script", {}, 0, 0, 0, false, true},
    };
    for (const Row& row : rows) {
        const core::RunDecision d = core::decideRunMode(commandLine(row.form), row.script);
        EXPECT_EQ((std::tuple{d.hide, d.start, d.close, d.startsJob, d.neverShowsWindow}),
                  (std::tuple{row.hide, row.start, row.close, row.startsJob, row.neverShowsWindow}))
            << row.form << " Hide=" << row.script.hide << " Start=" << row.script.start
            << " Close=" << row.script.close;
    }
}

TEST(RunDecision, ScriptKeysAreReadAsScriptNumbersOnlyForAScriptRun)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.tts"));
    writeFile(path, "[Program]\r\nHide = 0.3\r\nStart=1 ; go\r\n");
    core::RunMode run;
    run.scriptPath = path;
    EXPECT_EQ(core::readScriptProgramKeys(run).start, 0);
    run.scriptRun = true;
    const core::ScriptProgramKeys keys = core::readScriptProgramKeys(run);
    EXPECT_EQ((std::tuple{keys.hide, keys.start, keys.close}), (std::tuple{0, 1, 0}));
}
