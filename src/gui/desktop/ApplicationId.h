#pragma once

#include <QString>

namespace desktop {

// The program's reverse-domain id, used alike as its session-bus name, the name of its desktop file and AppStream
// entry, and its icon's name. CMake defines it (SPRECHKIT_APP_ID) so that the installed files follow the same value.
inline QString applicationId()
{
    return QStringLiteral(SPRECHKIT_APP_ID);
}

// The remote actions' object on the bus: the id as a path ("/de/example/App").
inline QString remoteObjectPath()
{
    return QLatin1Char('/') + applicationId().replace(QLatin1Char('.'), QLatin1Char('/'));
}

// The D-Bus error a window answers with when it cannot do an action; its message is the reason.
inline QString remoteRefusedError()
{
    return applicationId() + QStringLiteral(".Error.NotDone");
}

} // namespace desktop
