#include "app/MainWindow.h"
#include "app/QtTranslations.h"
#include "core/Clock.h"
#include "core/CommandLine.h"
#include "core/CommandLineHelp.h"
#include "core/HiddenRun.h"
#include "form/QtMessageBoxes.h"
#include "speech/espeak/EspeakVoice.h"

#include <QApplication>
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
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto information = core::informationRequest(arguments)) {
        std::fputs(information->toLocal8Bit().constData(), stdout);
        return 0;
    }

    // A run that never shows its window also works over SSH or from cron: without a display it uses the
    // offscreen platform, where every message box prints to stderr and takes its default answer.
    if (!displayAvailable()) {
        const QString exeDir =
            QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2) + '/';
        if (!core::runNeverShowsWindow(core::analyseCommandLine(arguments, exeDir))) {
            std::fputs("sprechkit: no display available (DISPLAY is not set). Without one only runs that never show "
                       "the window work: a WAV target (\"?name\"), \"!!\", or a script with Hide = 1.\n",
                       stderr);
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication application(argc, argv);
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
    if (!window.load(arguments))
        return window.exitCode();
    return QApplication::exec();
}
