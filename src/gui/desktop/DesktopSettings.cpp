#include "gui/desktop/DesktopSettings.h"

#include "base/core/SettingsKeys.h"
#include "base/core/SettingsStore.h"
#include "gui/desktop/GlobalShortcuts.h"

namespace desktop {

namespace {

const std::array<const core::SettingsKey*, 2> kKeySettings = {&core::setting::kKeyReadSelection,
                                                              &core::setting::kKeyPauseResume};

} // namespace

DesktopSettings readDesktopSettings(const core::SettingsStore& settings)
{
    DesktopSettings values;
    for (std::size_t i = 0; i < values.keys.size(); ++i) {
        const QString fallback = GlobalShortcuts::defaultKeys(shortcutAction(i)).toString(QKeySequence::PortableText);
        values.keys[i] =
            QKeySequence::fromString(settings.value(*kKeySettings[i], fallback), QKeySequence::PortableText);
    }
    const core::SettingsKey& tray = core::setting::kCheckCloseToTray;
    const core::ResultOf<int> closeToTray = core::storedInteger(tray, settings.value(tray));
    values.closeToTray = closeToTray && closeToTray.value() == 1;
    return values;
}

void writeDesktopSettings(core::SettingsStore& settings, const DesktopSettings& values)
{
    for (std::size_t i = 0; i < values.keys.size(); ++i)
        settings.setValue(*kKeySettings[i], values.keys[i].toString(QKeySequence::PortableText));
    settings.setValue(core::setting::kCheckCloseToTray, values.closeToTray ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace desktop
