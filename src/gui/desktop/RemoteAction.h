#pragma once

#include <QString>

namespace desktop {

// What another process can ask a running window to do.
enum class RemoteAction { ReadSelection, ReadClipboard, Stop, Pause, Show };

// The action's method name on the bus.
inline QString remoteMethodName(RemoteAction action)
{
    switch (action) {
    case RemoteAction::ReadSelection:
        return QStringLiteral("ReadSelection");
    case RemoteAction::ReadClipboard:
        return QStringLiteral("ReadClipboard");
    case RemoteAction::Stop:
        return QStringLiteral("Stop");
    case RemoteAction::Pause:
        return QStringLiteral("Pause");
    case RemoteAction::Show:
        return QStringLiteral("Show");
    }
    return {};
}

} // namespace desktop
