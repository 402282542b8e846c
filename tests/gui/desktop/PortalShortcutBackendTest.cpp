#include "DesktopTest.h"

#include "gui/desktop/PortalShortcutBackend.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QThread>

#include <gtest/gtest.h>

using namespace desktop;

namespace {

const QString kPortal = QStringLiteral("/org/freedesktop/portal/desktop");

// A desktop portal with global shortcuts that grants every session and binding at once, answering on a thread of
// its own (the backend asks it with a blocking call first).
class FakePortal : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        QDBusConnection bus = connection;
        if (message.member() == QLatin1String("Get"))
            return bus.send(message.createReply(QVariant::fromValue(QDBusVariant(1U))));
        const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().constLast());
        const QString request = kPortal + QStringLiteral("/request/") + message.service().mid(1).replace('.', '_') +
                                QLatin1Char('/') + options.value(QStringLiteral("handle_token")).toString();
        bus.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        QVariantMap results{{QStringLiteral("session_handle"), kPortal + QStringLiteral("/session/1")}};
        if (message.member() == QLatin1String("BindShortcuts"))
            results = {{QStringLiteral("shortcuts"), message.arguments().at(1)}}; // all bound as asked
        QDBusMessage response = QDBusMessage::createSignal(request, QStringLiteral("org.freedesktop.portal.Request"),
                                                           QStringLiteral("Response"));
        response << 0U << results;
        return bus.send(response);
    }
};

} // namespace

// Both keys bound in one session of the portal, the portal's Activated signal for them, and a key it cannot name.
TEST(PortalShortcutBackend, BindsThroughThePortalAndHearsItsActivations)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no private session bus (dbus-daemon is not installed)";
    QThread thread;
    FakePortal portal;
    portal.moveToThread(&thread);
    thread.start();
    QDBusConnection portalBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal");
    ASSERT_TRUE(portalBus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    ASSERT_TRUE(portalBus.registerVirtualObject(kPortal, &portal));

    QList<ShortcutAction> activated;
    std::map<ShortcutAction, ShortcutState> states;
    ShortcutBackend::Callbacks callbacks{[&](ShortcutAction action) { activated << action; },
                                         [&](ShortcutAction action, ShortcutState state) { states[action] = state; },
                                         [](const QString&) {}};
    auto backend = PortalShortcutBackend::create(callbacks, QDBusConnection::sessionBus());
    ASSERT_TRUE(backend);
    backend->bind(ShortcutAction::ReadSelection, QKeySequence(QStringLiteral("Ctrl+Alt+S")));
    backend->bind(ShortcutAction::PauseResume, QKeySequence(QStringLiteral("Ctrl+Alt+P")));
    EXPECT_TRUE(eventually([&] { return states[ShortcutAction::PauseResume] == ShortcutState::Active; }));
    EXPECT_EQ(states[ShortcutAction::ReadSelection], ShortcutState::Active);

    QDBusMessage signal = QDBusMessage::createSignal(kPortal, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"),
                                                     QStringLiteral("Activated"));
    signal << QVariant::fromValue(QDBusObjectPath(kPortal + QStringLiteral("/session/1")))
           << QStringLiteral("pause-resume") << qulonglong(0) << QVariantMap();
    portalBus.send(signal);
    EXPECT_TRUE(eventually([&] { return activated == QList<ShortcutAction>{ShortcutAction::PauseResume}; }));
    thread.quit();
    thread.wait();
}
