#pragma once

#include "base/core/Result.h"
#include "gui/app/SettingsBinding.h"

#include <QString>
#include <QStringList>

namespace app {

class MainWindow;

// The window's load handler: brings the program up in its fixed order (names and paths, command line, window
// placement, options, engine, device and voice, WAV settings, voice values, dictionary) and then shows the
// window or starts the unattended job. Any failure ends the program through one message, without saving.
class Startup {
public:
    explicit Startup(app::MainWindow& window);

    // False when the program is to end at once (failed start-up or missing script).
    bool run(const QStringList& arguments);

private:
    // A failure ends the start-up at once; run() shows it in the one start-up error box.
    core::Result load(const QStringList& arguments);
    bool analyseArguments(const QStringList& arguments);
    core::Result restorePlacementAndOptions();
    void restoreDeviceAndVoice();
    core::Result restoreWaveSettings();
    void decideRunMode();
    core::Result showWindow();
    void startJob();
    QString scriptValue(const QString& section, const QString& key) const;

    app::MainWindow& m_window;
    SettingsBinding m_binding;
    QString m_transparency;
    QString m_shadow;
    bool m_startsJob = false; // from decideRunMode(), for startJob()
};

} // namespace app
