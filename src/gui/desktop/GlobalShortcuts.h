#pragma once

#include "gui/desktop/ShortcutBackend.h"

#include <QKeySequence>
#include <QObject>

#include <array>
#include <memory>

namespace desktop {

// The global shortcuts: keys that work while another program has the focus. Uses the desktop portal on a Wayland
// session where it offers global shortcuts, else the X server's key grabs where the program is an X11 client;
// where neither works every key set is Unsupported. A key given to both actions works for reading the selection.
class GlobalShortcuts : public QObject {
    Q_OBJECT
public:
    explicit GlobalShortcuts(QObject* parent = nullptr);
    ~GlobalShortcuts() override;

    static QKeySequence defaultKeys(ShortcutAction action); // Ctrl+Alt+S, Ctrl+Alt+P
    // The German hint shown beside the key's field; empty when there is nothing to say.
    static QString hint(ShortcutState state);

    // Binds the key (empty: none) to the action in place of the one it had.
    void setKeys(ShortcutAction action, const QKeySequence& keys);
    QKeySequence keys(ShortcutAction action) const { return m_keys[shortcutIndex(action)]; }
    ShortcutState state(ShortcutAction action) const { return m_states[shortcutIndex(action)]; }

signals:
    void activated(desktop::ShortcutAction action);
    void stateChanged(desktop::ShortcutAction action, desktop::ShortcutState state);
    void logLine(const QString& line); // English, for the event log

private:
    void setState(ShortcutAction action, ShortcutState state);

    std::unique_ptr<ShortcutBackend> m_backend;
    std::array<QKeySequence, 2> m_keys;
    std::array<QKeySequence, 2> m_bound; // what the backend holds: a key both actions want goes to the first only
    std::array<ShortcutState, 2> m_states{ShortcutState::Off, ShortcutState::Off};
    bool m_clash = false; // both actions want the same key
    bool m_unsupportedLogged = false;
};

} // namespace desktop
