#include "gui/desktop/PortalShortcutBackend.h"

#include "gui/desktop/KeySymbols.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QTimer>

#include <utility>

namespace desktop {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
// The portal starts on demand; a desktop that does not answer this soon offers no global shortcuts.
constexpr int kProbeTimeoutMs = 2000;

// Per action: the id the portal knows it by, and the description the desktop shows the user.
const std::array<QString, 2> kIds = {QStringLiteral("read-selection"), QStringLiteral("pause-resume")};
const std::array<QString, 2> kDescriptions = {QStringLiteral("Auswahl vorlesen"), QStringLiteral("Pause / Fortsetzen")};

// One entry of the portal's a(sa{sv}) shortcut lists.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

std::unique_ptr<PortalShortcutBackend> PortalShortcutBackend::create(Callbacks callbacks, const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return nullptr;
    QDBusMessage probe = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    probe << kInterface << QStringLiteral("version");
    if (bus.call(probe, QDBus::Block, kProbeTimeoutMs).type() != QDBusMessage::ReplyMessage)
        return nullptr;
    // Qt 6.4 matches a signal to a slot taking an object path only once the type is registered by name.
    qRegisterMetaType<QDBusObjectPath>();
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    return std::unique_ptr<PortalShortcutBackend>(new PortalShortcutBackend(std::move(callbacks), bus));
}

PortalShortcutBackend::PortalShortcutBackend(Callbacks callbacks, const QDBusConnection& bus)
    : m_bus(bus)
    , m_callbacks(std::move(callbacks))
{
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                  SLOT(shortcutActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

PortalShortcutBackend::~PortalShortcutBackend()
{
    closeSession();
}

void PortalShortcutBackend::bind(ShortcutAction action, const QKeySequence& keys)
{
    m_keys[shortcutIndex(action)] = keys;
    // Both keys set one after the other make one session, so the desktop asks the user once.
    if (!std::exchange(m_rebindQueued, true))
        QTimer::singleShot(0, this, &PortalShortcutBackend::rebind);
}

void PortalShortcutBackend::rebind()
{
    m_rebindQueued = false;
    closeSession();
    bool any = false;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].isEmpty()) {
            setState(i, ShortcutState::Off);
        } else if (m_keys[i].count() != 1 || portalTrigger(m_keys[i][0]).isEmpty()) {
            m_callbacks.log(QStringLiteral("Global shortcut %1: the key cannot be bound")
                                .arg(m_keys[i].toString(QKeySequence::PortableText)));
            setState(i, ShortcutState::Invalid);
        } else {
            setState(i, ShortcutState::Pending);
            any = true;
        }
    }
    if (!any)
        return;
    const QString token = QStringLiteral("sprechkit%1").arg(++m_tokens);
    request(QStringLiteral("CreateSession"),
            {QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("session_handle_token"), token}}},
            token, SLOT(sessionCreated(uint, QVariantMap)));
}

void PortalShortcutBackend::request(const QString& method, const QVariantList& arguments, const QString& token,
                                    const char* slot)
{
    forgetRequest();
    // The portal answers on a request object whose path follows from our bus name and the token; listening
    // before the call leaves no gap for the answer to slip through.
    QString sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    m_requestPath = kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
    m_requestSlot = slot;
    m_bus.connect(kService, m_requestPath, kRequestInterface, QStringLiteral("Response"), this, slot);

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, path = m_requestPath](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (finished->isError() && path == m_requestPath)
                    fail(finished->error().message());
            });
}

void PortalShortcutBackend::sessionCreated(uint response, const QVariantMap& results)
{
    if (response != 0)
        return fail(QStringLiteral("the portal opened no session (answer %1)").arg(response));
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                                            : handle.toString();
    QList<PortalShortcut> shortcuts;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_states[i] == ShortcutState::Pending)
            shortcuts.append({kIds[i],
                              {{QStringLiteral("description"), kDescriptions[i]},
                               {QStringLiteral("preferred_trigger"), portalTrigger(m_keys[i][0])}}});
    }
    const QString token = QStringLiteral("sprechkit%1").arg(++m_tokens);
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcuts), QString(),
             QVariantMap{{QStringLiteral("handle_token"), token}}},
            token, SLOT(shortcutsBound(uint, QVariantMap)));
}

void PortalShortcutBackend::shortcutsBound(uint response, const QVariantMap& results)
{
    if (response != 0)
        return fail(QStringLiteral("the keys were not bound (answer %1)").arg(response));
    QList<PortalShortcut> bound;
    results.value(QStringLiteral("shortcuts")).value<QDBusArgument>() >> bound;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_states[i] != ShortcutState::Pending)
            continue;
        const auto shortcut =
            std::find_if(bound.cbegin(), bound.cend(), [&](const auto& s) { return s.id == kIds[i]; });
        if (shortcut == bound.cend()) {
            m_callbacks.log(QStringLiteral("Global shortcut %1: the desktop did not bind it").arg(kIds[i]));
            setState(i, ShortcutState::Unsupported);
            continue;
        }
        m_callbacks.log(
            QStringLiteral("Global shortcut %1: bound to %2")
                .arg(kIds[i], shortcut->properties.value(QStringLiteral("trigger_description")).toString()));
        setState(i, ShortcutState::Active);
    }
}

void PortalShortcutBackend::shortcutActivated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                              const QVariantMap&)
{
    if (session.path() != m_session)
        return;
    for (std::size_t i = 0; i < kIds.size(); ++i) {
        if (id == kIds[i] && m_states[i] == ShortcutState::Active)
            m_callbacks.activated(shortcutAction(i));
    }
}

void PortalShortcutBackend::fail(const QString& reason)
{
    m_callbacks.log(QStringLiteral("Global shortcuts through the desktop portal: ") + reason);
    for (std::size_t i = 0; i < m_states.size(); ++i) {
        if (m_states[i] == ShortcutState::Pending)
            setState(i, ShortcutState::Unsupported);
    }
}

void PortalShortcutBackend::forgetRequest()
{
    if (m_requestSlot)
        m_bus.disconnect(kService, m_requestPath, kRequestInterface, QStringLiteral("Response"), this, m_requestSlot);
    m_requestSlot = nullptr;
    m_requestPath.clear();
}

void PortalShortcutBackend::closeSession()
{
    forgetRequest();
    if (m_session.isEmpty())
        return;
    m_bus.asyncCall(QDBusMessage::createMethodCall(
        kService, m_session, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    m_session.clear();
}

void PortalShortcutBackend::setState(std::size_t index, ShortcutState state)
{
    if (std::exchange(m_states[index], state) != state)
        m_callbacks.stateChanged(shortcutAction(index), state);
}

} // namespace desktop
