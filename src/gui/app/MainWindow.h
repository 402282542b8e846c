#pragma once

#include "base/core/Result.h"
#include "gui/desktop/DesktopFields.h"
#include "gui/desktop/RemoteAction.h"
#include "gui/form/Controls.h"
#include "gui/form/WindowState.h"

#include <QLocale>
#include <QWidget>

#include <memory>
#include <optional>

namespace announce {
class ClockTimer;
}
namespace clipboard {
class ClipboardWatcher;
}
namespace documents {
class DocumentOpener;
}
namespace core {
class Clock;
class SettingsStore;
} // namespace core
namespace desktop {
class DesktopController;
}
namespace speech {
class EngineEvents;
class EngineSetup;
class EventLog;
class SpeakingControl;
class Voice;
} // namespace speech
namespace text {
class DictionaryEditor;
class DictionaryList;
} // namespace text
namespace wav {
class WavSaver;
}

namespace app {

class KeyHandler;

// The program's one window. It owns the controls, the voice and the subsystems, and delegates: start-up to
// app::Startup, speaking to speech::*, the dictionary to text::DictionaryList and text::DictionaryEditor, saving to
// wav::WavSaver, the timer and announcements to announce::ClockTimer, the clipboard to clipboard::ClipboardWatcher
// and the keyboard to app::KeyHandler.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(std::unique_ptr<speech::Voice> voice, const core::Clock& clock, QLocale locale,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the start-up for these arguments (without the program's name). False when the program is to end
    // at once (start-up failure or missing script); exitCode() tells how.
    bool load(const QStringList& arguments);
    // Does a remote action once the window runs (reading from anywhere is set up just after the window shows).
    void performWhenRunning(desktop::RemoteAction action);
    int exitCode() const { return m_exitCode; }
    bool isUnloaded() const { return m_unloaded; }

    const form::Controls& controls() const { return m_controls; }
    form::WindowState& state() { return m_state; }
    const core::Clock& clock() const { return m_clock; }
    QLocale locale() const { return m_locale; }
    speech::Voice* voice() const { return m_voice.get(); }
    core::SettingsStore* settings() const { return m_settings.get(); }
    speech::EventLog& eventLog() const { return *m_eventLog; }
    speech::EngineSetup& engineSetup() const { return *m_engineSetup; }
    speech::SpeakingControl& speakingControl() const { return *m_speakingControl; }
    text::DictionaryList* dictionary() const { return m_dictionary.get(); }
    wav::WavSaver& wavSaver() const { return *m_wavSaver; }
    text::DictionaryEditor& dictionaryEditor() const { return *m_dictionaryEditor; }
    announce::ClockTimer& clockTimer() const { return *m_clockTimer; }
    clipboard::ClipboardWatcher& clipboardWatcher() const { return *m_clipboardWatcher; }
    app::KeyHandler& keyHandler() const { return *m_keyHandler; }
    documents::DocumentOpener& documentOpener() const { return *m_documentOpener; }
    const desktop::DesktopFields& desktopFields() const { return m_desktopFields; }

    // Called by the start-up once the settings application name and the dictionary path are known: opens the
    // settings and creates the subsystems, which connect their handlers to the controls.
    void createSubsystems(const QString& settingsApplication, const QString& dictionaryPath);

    // The unload handler: releases the voice, saves settings and dictionary unless a WAV target was set, stores
    // the placement in interactive runs, and ends the program. job is the outcome of an unattended job; its error
    // and any failed save go to stderr and end the run non-zero (an interactive run also shows a failed save in a
    // box). After a termination signal it shows no box and ends with 128 + the signal.
    void unload(const core::Result& job = {});
    // What the unload handler saves, for a program that is being ended from outside the event loop (the display went
    // away and the platform calls exit()): touches no window, box or event loop, and reports only on stderr.
    void saveAtForcedExit();
    // Ends the program without the unload handler's saving (failed start-up, missing script).
    void abort(int exitCode);

    // Writes the script file of the current state beside the program and confirms it.
    void MakeINI();

signals:
    // The run is over: the program should end with this code.
    void finished(int exitCode);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    core::Result ChkWords();
    bool isUnattended() const;
    // Settings, dictionary and placement as the unload handler saves them; the errors, each once.
    QStringList saveAll();
    void startDesktop();
    void settingsToggled();
    void choosePath();
    void releaseVoice();
    void endProgram(int exitCode);

    form::Controls m_controls;
    form::WindowState m_state;
    const core::Clock& m_clock;
    QLocale m_locale;
    std::unique_ptr<speech::Voice> m_voice;
    std::unique_ptr<core::SettingsStore> m_settings;
    std::unique_ptr<speech::EventLog> m_eventLog;
    std::unique_ptr<speech::EngineSetup> m_engineSetup;
    std::unique_ptr<speech::SpeakingControl> m_speakingControl;
    std::unique_ptr<speech::EngineEvents> m_engineEvents;
    std::unique_ptr<text::DictionaryList> m_dictionary;
    std::unique_ptr<wav::WavSaver> m_wavSaver;
    std::unique_ptr<text::DictionaryEditor> m_dictionaryEditor;
    std::unique_ptr<clipboard::ClipboardWatcher> m_clipboardWatcher;
    std::unique_ptr<announce::ClockTimer> m_clockTimer;
    std::unique_ptr<app::KeyHandler> m_keyHandler;
    std::unique_ptr<documents::DocumentOpener> m_documentOpener;
    desktop::DesktopFields m_desktopFields;
    std::unique_ptr<desktop::DesktopController> m_desktop;
    std::optional<desktop::RemoteAction> m_pendingAction;
    QString m_baseCaption;
    int m_exitCode = 0;
    bool m_unloaded = false;
};

} // namespace app
