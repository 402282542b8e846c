#pragma once

#include "gui/desktop/ShortcutBackend.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

#include <array>
#include <memory>

namespace desktop {

// Global keys through the desktop portal's GlobalShortcuts interface, for Wayland sessions: a session with the
// portal, the keys bound to it as preferred triggers (the desktop may ask the user and choose others), and its
// Activated signal. Any change of a key binds both anew in a fresh session.
class PortalShortcutBackend final : public QObject, public ShortcutBackend {
    Q_OBJECT
public:
    // Nothing when the bus has no desktop portal that offers global shortcuts.
    static std::unique_ptr<PortalShortcutBackend> create(Callbacks callbacks, const QDBusConnection& bus);
    ~PortalShortcutBackend() override;

    void bind(ShortcutAction action, const QKeySequence& keys) override;

private slots:
    void sessionCreated(uint response, const QVariantMap& results);
    void shortcutsBound(uint response, const QVariantMap& results);
    void shortcutActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                           const QVariantMap& options);

private:
    PortalShortcutBackend(Callbacks callbacks, const QDBusConnection& bus);
    void rebind();
    void request(const QString& method, const QVariantList& arguments, const QString& token, const char* slot);
    void fail(const QString& reason);
    void forgetRequest();
    void closeSession();
    void setState(std::size_t index, ShortcutState state);

    QDBusConnection m_bus;
    Callbacks m_callbacks;
    std::array<QKeySequence, 2> m_keys;
    std::array<ShortcutState, 2> m_states{ShortcutState::Off, ShortcutState::Off};
    bool m_rebindQueued = false;
    QString m_session;     // the open session's object path
    QString m_requestPath; // the request whose answer is awaited
    const char* m_requestSlot = nullptr;
    int m_tokens = 0;
};

} // namespace desktop
