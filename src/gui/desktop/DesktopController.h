#pragma once

#include "base/core/Result.h"
#include "gui/desktop/DesktopFields.h"
#include "gui/desktop/GlobalShortcuts.h"
#include "gui/desktop/RemoteAction.h"
#include "gui/desktop/RemoteService.h"
#include "gui/desktop/TrayIcon.h"

#include <QObject>

#include <functional>

class QPushButton;

namespace core {
class SettingsStore;
}
namespace form {
class TextBox;
} // namespace form

namespace desktop {

// Reading from anywhere, wired to a window that stays open: the remote actions on the session bus, the global
// shortcuts with their key fields, and the tray icon. Every way in runs the same action as the window's own
// controls: a read puts the text into the box the way the clipboard watcher does (spoken, the user's text put back
// afterwards), Pause toggles ckPause, Stop unchecks ckStart.
//
// Works on: the window, ckStart, ckPause and tAusgabe; the window state (savedText, restorePending); the settings row;
// the settings (the keys and the tray choice are read here and written by saveSettings()); the bus to offer the
// actions on; and from the window how to end the program (the tray's "Beenden") and where log lines go.
class DesktopController : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QWidget* window = nullptr;
        QPushButton* ckStart = nullptr;
        QPushButton* ckPause = nullptr;
        form::TextBox* tAusgabe = nullptr;
    };
    struct Callbacks {
        std::function<void()> quit;
        std::function<void(const QString&)> log; // English lines for the event log
        // The speaking controller's start and stop: speech goes through its owner, as a button press does.
        std::function<void()> startSpeaking;
        std::function<void()> stopSpeaking;
    };

    // The fields of the window's state this class writes: a read borrows the box from the user's text.
    struct State {
        QString& savedText;
        bool& restorePending;
    };

    DesktopController(Widgets widgets, const DesktopFields& fields, const State& state,
                      const core::SettingsStore& settings, const QDBusConnection& bus, Callbacks callbacks,
                      QObject* parent = nullptr);
    ~DesktopController() override;

    // What the remote action, the tray entry or the command line asked for; fails with the English reason when it
    // cannot be done (nothing selected, nothing spoken, a dialog of the window is open).
    core::Result perform(RemoteAction action);
    // Performs the action once the event loop runs (a window started for it); a failure goes to stderr.
    void performWhenRunning(RemoteAction action);
    // True when closing is to hide the window in the tray, which it then has done.
    bool hideOnClose();
    void saveSettings(core::SettingsStore& settings) const;

    const GlobalShortcuts& shortcuts() const { return m_shortcuts; }
    const TrayIcon& tray() const { return m_tray; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    core::Result read(const core::ResultOf<QString>& text);
    core::Result pauseOrResume();
    void stop();
    void showWindow();
    void showOrHideWindow();
    void shortcutPressed(ShortcutAction action);
    void keysEdited(ShortcutAction action);

    Widgets m_widgets;
    DesktopFields m_fields;
    State m_state;
    Callbacks m_callbacks;
    RemoteService m_remote;
    GlobalShortcuts m_shortcuts;
    TrayIcon m_tray;
};

} // namespace desktop
