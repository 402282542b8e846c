#pragma once

#include <QKeySequence>

#include <array>

namespace core {
class SettingsStore;
}

namespace desktop {

// The stored choices for reading from anywhere.
struct DesktopSettings {
    std::array<QKeySequence, 2> keys; // by shortcutIndex(); empty: none
    bool closeToTray = false;
};

// Keys the file lacks are the defaults; a key stored empty stays cleared. A tray value that is no 0 or 1 reads as
// off: a new setting is no reason to refuse the start.
DesktopSettings readDesktopSettings(const core::SettingsStore& settings);
void writeDesktopSettings(core::SettingsStore& settings, const DesktopSettings& values);

} // namespace desktop
