#pragma once

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
    void load(const QStringList& arguments);
    bool analyseArguments(const QStringList& arguments);
    void restorePlacementAndOptions();
    void restoreDeviceAndVoice();
    void restoreWaveSettings();
    void readScriptProgramKeys();
    void showWindow();
    void startJob();
    QString stored(const QString& key, const QString& defaultValue) const;
    QString scriptValue(const QString& section, const QString& key) const;

    app::MainWindow& m_window;
    QString m_transparency;
    QString m_shadow;
};

} // namespace app
