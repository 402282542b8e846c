#include "gui/desktop/RemoteCommandLine.h"

#include <array>
#include <utility>

namespace desktop {

std::optional<RemoteAction> remoteActionRequest(const QStringList& arguments)
{
    static constexpr std::array<std::pair<const char*, RemoteAction>, 5> kOptions = {{
        {"--read-selection", RemoteAction::ReadSelection},
        {"--read-clipboard", RemoteAction::ReadClipboard},
        {"--stop", RemoteAction::Stop},
        {"--pause", RemoteAction::Pause},
        {"--show", RemoteAction::Show},
    }};
    const QString first = arguments.value(0);
    for (const auto& [option, action] : kOptions) {
        if (first == QLatin1String(option))
            return action;
    }
    return std::nullopt;
}

} // namespace desktop
