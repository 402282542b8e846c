#pragma once

#include "base/core/Result.h"
#include "gui/desktop/RemoteAction.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>

#include <functional>
#include <map>
#include <optional>

namespace desktop {

// The remote actions of a running window on the session bus, under the application id as bus name and object
// path: one method per action, each running the handler the window set for it. A handler's failure goes back to
// the caller as the error remoteRefusedError() with the reason as its message.
class RemoteService : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    using Handler = std::function<core::Result()>;

    explicit RemoteService(QObject* parent = nullptr);
    ~RemoteService() override;

    void setHandler(RemoteAction action, Handler handler);

    // Registers the object and asks for the bus name. A window that holds the name already keeps it: this one
    // waits in the bus's queue and takes the actions over when that window ends. Fails without a bus.
    core::Result registerOn(const QDBusConnection& bus);
    // Whether the actions come to this window now.
    bool ownsName() const;

public slots:
    Q_SCRIPTABLE void ReadSelection() { run(RemoteAction::ReadSelection); }
    Q_SCRIPTABLE void ReadClipboard() { run(RemoteAction::ReadClipboard); }
    Q_SCRIPTABLE void Stop() { run(RemoteAction::Stop); }
    Q_SCRIPTABLE void Pause() { run(RemoteAction::Pause); }
    Q_SCRIPTABLE void Show() { run(RemoteAction::Show); }

private:
    void run(RemoteAction action);

    std::map<RemoteAction, Handler> m_handlers;
    std::optional<QDBusConnection> m_bus;
};

} // namespace desktop
