#pragma once

#include "gui/desktop/RemoteAction.h"

#include <QStringList>

#include <optional>

namespace desktop {

// The remote action the command line asks for: "--read-selection", "--read-clipboard", "--stop", "--pause" or
// "--show" as the first argument, exactly so; anything else is an ordinary start.
std::optional<RemoteAction> remoteActionRequest(const QStringList& arguments);

} // namespace desktop
