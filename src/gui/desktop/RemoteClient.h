#pragma once

#include "gui/desktop/RemoteAction.h"

#include <QDBusConnection>
#include <QString>

#include <optional>

namespace desktop {

// What a running window answered to a remote action.
struct RemoteReply {
    enum class Status {
        Done,
        NotDone,  // the window could not do it; reason says why
        NoWindow, // no window holds the actions, or there is no bus
    };
    Status status = Status::NoWindow;
    QString reason;
};

// Asks the window that holds the actions on this bus to do one, and waits for its answer.
RemoteReply callRemoteAction(RemoteAction action, const QDBusConnection& bus);

// The command-line side, on the user's session bus: the exit code when a window took the action (0 done, 1 not
// done, with the reason on one stderr line), or nothing when no window runs or there is no session bus, so that the
// caller starts the program and does the action once its window shows. Needs a QCoreApplication.
std::optional<int> sendRemoteAction(RemoteAction action);

} // namespace desktop
