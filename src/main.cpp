#include "base/core/ArgumentDecoding.h"
#include "base/core/Clock.h"
#include "base/core/CommandLine.h"
#include "base/core/CommandLineHelp.h"
#include "base/core/ProcessEnvironment.h"
#include "base/core/RunDecision.h"
#include "base/system/StartProcedure.h"
#include "engine/espeak/EspeakVoice.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtTranslations.h"
#include "gui/app/StandInRuntimeFolder.h"
#include "gui/app/TerminationSignals.h"
#include "gui/desktop/RemoteClient.h"
#include "gui/desktop/RemoteCommandLine.h"
#include "gui/form/QtMessageBoxes.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>

namespace {

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[])
{
    if (!core::repairProcessEnvironment())
        return 2;
    const QString exeDir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2) + '/';
    QList<QByteArray> rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments.append(QByteArray(argv[i]));
    const QStringList arguments = core::decodeArguments(rawArguments, QFile::encodeName(exeDir));
    if (const auto information = core::informationRequest(arguments)) {
        std::fputs(information->toLocal8Bit().constData(), stdout);
        return 0;
    }

    // A remote action goes to the window that runs already; without one, a window starts as it would without
    // arguments and does the action once it runs.
    const std::optional<desktop::RemoteAction> remoteAction = desktop::remoteActionRequest(arguments);
    const QStringList windowArguments = remoteAction ? QStringList() : arguments;

    // A run that never shows its window also works over SSH or from cron: without a display it uses the
    // offscreen platform, where every message box prints to stderr and takes its default answer.
    const core::RunMode commandLine = core::analyseCommandLine(windowArguments, exeDir);
    const bool neverShown = core::decideRunMode(commandLine, core::readScriptProgramKeys(commandLine)).neverShowsWindow;
    if (!displayAvailable()) {
        if (remoteAction) {
            const QCoreApplication application(argc, argv);
            if (const std::optional<int> code = desktop::sendRemoteAction(*remoteAction))
                return *code;
        }
        if (!neverShown) {
            std::fputs("sprechkit: no display available (DISPLAY is not set). Without one only runs that never show "
                       "the window work: a WAV target (\"?name\"), \"!!\", or a script with Hide = 1.\n",
                       stderr);
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A DISPLAY that cannot be reached (a stale one from an old session) would abort inside Qt: offscreen is the
    // fallback, which the checks below accept for runs without a window only.
    const bool x11Fallback =
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (x11Fallback)
        qputenv("QT_QPA_PLATFORM", "xcb;offscreen");

    // A native Wayland client cannot read the clipboard while another window has the focus, which is exactly
    // when the clipboard watcher needs it: prefer X11 through XWayland unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    app::StandInRuntimeFolder runtimeFolder;
    QApplication application(argc, argv);
    runtimeFolder.restore();
    if (remoteAction) {
        if (const std::optional<int> code = desktop::sendRemoteAction(*remoteAction))
            return *code;
    }
    if (x11Fallback && QGuiApplication::platformName() == QLatin1String("offscreen") && !neverShown) {
        std::fprintf(stderr,
                     "sprechkit: cannot connect to the display \"%s\" (DISPLAY). Without one only runs that never "
                     "show the window work: a WAV target (\"?name\"), \"!!\", or a script with Hide = 1.\n",
                     qgetenv("DISPLAY").constData());
        return 2;
    }
    sys::runStartProcedure();
    app::loadGermanQtTranslations(application);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        form::useQtMessageBoxes();

    core::SystemClock clock;
    // Day and month names follow the user's region; a machine without one (the C locale) gets the German
    // names the program's sentences are written for.
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::German, QLocale::Germany);
    app::MainWindow window(std::make_unique<speech::EspeakVoice>(), clock, locale);
    // Queued, so a run that ends during the start-up also ends once the event loop runs.
    QObject::connect(
        &window, &app::MainWindow::finished, &application, [](int code) { QApplication::exit(code); },
        Qt::QueuedConnection);
    const app::TerminationSignals terminationSignals(window);
    if (!window.load(windowArguments))
        return window.exitCode();
    if (remoteAction)
        window.performWhenRunning(*remoteAction);
    return QApplication::exec();
}
