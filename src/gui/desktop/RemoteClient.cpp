#include "gui/desktop/RemoteClient.h"

#include "gui/desktop/ApplicationId.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QTextStream>

namespace desktop {

namespace {

// A window busy for longer than this counts as not answering; the command should not hang on it.
constexpr int kReplyTimeoutMs = 10000;

} // namespace

RemoteReply callRemoteAction(RemoteAction action, const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return {RemoteReply::Status::NoWindow, QStringLiteral("no session bus")};
    QDBusMessage call =
        QDBusMessage::createMethodCall(applicationId(), remoteObjectPath(), applicationId(), remoteMethodName(action));
    // No bus activation: a window that is not running is started by the caller, with the action pending.
    call.setAutoStartService(false);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return {RemoteReply::Status::Done, {}};
    const QDBusError::ErrorType error = QDBusError(reply).type();
    if (error == QDBusError::ServiceUnknown ||
        reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return {RemoteReply::Status::NoWindow, reply.errorMessage()};
    if (error == QDBusError::NoReply || error == QDBusError::Timeout)
        return {RemoteReply::Status::NotDone, QStringLiteral("the running window did not answer")};
    return {RemoteReply::Status::NotDone, reply.errorMessage()};
}

std::optional<int> sendRemoteAction(RemoteAction action)
{
    const RemoteReply reply = callRemoteAction(action, QDBusConnection::sessionBus());
    switch (reply.status) {
    case RemoteReply::Status::Done:
        return 0;
    case RemoteReply::Status::NotDone:
        QTextStream(stderr) << "sprechkit: " << reply.reason.simplified() << Qt::endl;
        return 1;
    case RemoteReply::Status::NoWindow:
        break;
    }
    return std::nullopt;
}

} // namespace desktop
