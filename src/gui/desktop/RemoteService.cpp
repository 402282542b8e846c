#include "gui/desktop/RemoteService.h"

#include "gui/desktop/ApplicationId.h"

#include <QDBusConnectionInterface>

namespace desktop {

RemoteService::RemoteService(QObject* parent)
    : QObject(parent)
{
}

RemoteService::~RemoteService()
{
    if (!m_bus || !m_bus->isConnected())
        return;
    m_bus->unregisterObject(remoteObjectPath());
    // Handing the name on at once lets a queued window take the actions without waiting for this one's exit.
    if (QDBusConnectionInterface* bus = m_bus->interface())
        bus->unregisterService(applicationId());
}

void RemoteService::setHandler(RemoteAction action, Handler handler)
{
    m_handlers[action] = std::move(handler);
}

core::Result RemoteService::registerOn(const QDBusConnection& bus)
{
    QDBusConnectionInterface* busInterface = bus.isConnected() ? bus.interface() : nullptr;
    if (!busInterface)
        return core::Result::failure(QStringLiteral("no session bus"));
    QDBusConnection connection = bus;
    if (!connection.registerObject(remoteObjectPath(), applicationId(), this, QDBusConnection::ExportScriptableSlots))
        return core::Result::failure(QStringLiteral("the remote actions' object path is taken"));
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = busInterface->registerService(
        applicationId(), QDBusConnectionInterface::QueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid()) {
        connection.unregisterObject(remoteObjectPath());
        return core::Result::failure(reply.error().message());
    }
    m_bus = connection;
    return {};
}

bool RemoteService::ownsName() const
{
    QDBusConnectionInterface* bus = m_bus && m_bus->isConnected() ? m_bus->interface() : nullptr;
    return bus && bus->serviceOwner(applicationId()).value() == m_bus->baseService();
}

void RemoteService::run(RemoteAction action)
{
    const auto handler = m_handlers.find(action);
    const core::Result result = handler != m_handlers.end() && handler->second
                                    ? handler->second()
                                    : core::Result::failure(QStringLiteral("not available in this window"));
    if (!result && calledFromDBus())
        sendErrorReply(remoteRefusedError(), result.error());
}

} // namespace desktop
