#include "gui/desktop/GlobalShortcuts.h"

#include "gui/desktop/PortalShortcutBackend.h"
#include "gui/desktop/X11ShortcutBackend.h"

#include <utility>

namespace desktop {

namespace {

bool waylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
}

} // namespace

GlobalShortcuts::GlobalShortcuts(QObject* parent)
    : QObject(parent)
{
    ShortcutBackend::Callbacks callbacks;
    callbacks.activated = [this](ShortcutAction action) { emit activated(action); };
    callbacks.stateChanged = [this](ShortcutAction action, ShortcutState state) {
        if (!(action == ShortcutAction::PauseResume && m_clash))
            setState(action, state);
    };
    callbacks.log = [this](const QString& line) { emit logLine(line); };
    // On a Wayland session the X server's grabs see keys only while an X11 client has the focus: the portal first.
    if (waylandSession())
        m_backend = PortalShortcutBackend::create(callbacks, QDBusConnection::sessionBus());
    if (!m_backend)
        m_backend = X11ShortcutBackend::create(callbacks);
}

GlobalShortcuts::~GlobalShortcuts() = default;

QKeySequence GlobalShortcuts::defaultKeys(ShortcutAction action)
{
    return QKeySequence(Qt::CTRL | Qt::ALT | (action == ShortcutAction::ReadSelection ? Qt::Key_S : Qt::Key_P));
}

QString GlobalShortcuts::hint(ShortcutState state)
{
    switch (state) {
    case ShortcutState::Taken:
        return QStringLiteral("Die Taste ist schon belegt.");
    case ShortcutState::Invalid:
        return QStringLiteral("Diese Taste geht nicht als globale Taste.");
    case ShortcutState::Unsupported:
        return QStringLiteral("Globale Tasten sind hier nicht verfügbar.");
    case ShortcutState::Off:
    case ShortcutState::Pending:
    case ShortcutState::Active:
        break;
    }
    return {};
}

void GlobalShortcuts::setKeys(ShortcutAction action, const QKeySequence& keys)
{
    m_keys[shortcutIndex(action)] = keys;
    // A key both actions want reads the selection: bound twice, a change of one would drop the other's grab.
    const bool clash = !m_keys[1].isEmpty() && m_keys[1] == m_keys[0];
    const std::array<QKeySequence, 2> wanted = {m_keys[0], clash ? QKeySequence() : m_keys[1]};
    // The action set is bound anew even when unchanged: a key another program held may be free now.
    const std::array<bool, 2> changed = {action == ShortcutAction::ReadSelection || wanted[0] != m_bound[0],
                                         action == ShortcutAction::PauseResume || wanted[1] != m_bound[1] ||
                                             clash != m_clash};
    m_clash = clash;
    // All releases before the new keys, so that a key moving from one action to the other stays bound.
    for (std::size_t i = 0; i < 2; ++i) {
        if (changed[i] && m_backend)
            m_backend->bind(shortcutAction(i), {});
    }
    for (std::size_t i = 0; i < 2; ++i) {
        if (!changed[i])
            continue;
        m_bound[i] = wanted[i];
        if (wanted[i].isEmpty()) {
            setState(shortcutAction(i), ShortcutState::Off);
        } else if (m_backend) {
            m_backend->bind(shortcutAction(i), wanted[i]);
        } else {
            if (!std::exchange(m_unsupportedLogged, true))
                emit logLine(QStringLiteral("Global shortcuts are not available on this desktop"));
            setState(shortcutAction(i), ShortcutState::Unsupported);
        }
    }
    if (clash && changed[1]) {
        emit logLine(QStringLiteral("Global shortcut %1: the key already reads the selection")
                         .arg(keys.toString(QKeySequence::PortableText)));
        setState(ShortcutAction::PauseResume, ShortcutState::Taken);
    }
}

void GlobalShortcuts::setState(ShortcutAction action, ShortcutState state)
{
    if (std::exchange(m_states[shortcutIndex(action)], state) != state)
        emit stateChanged(action, state);
}

} // namespace desktop
