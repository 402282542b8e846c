#pragma once

class QAbstractButton;

namespace ui {
struct Controls;
struct WindowState;
}

namespace app {

class SettingsStore;

// Writes the options, the device and voice choice and, with the save flag set, the format, rate and volume of
// the current voice.
void SaveSet(const ui::Controls& controls, const ui::WindowState& state, SettingsStore& settings);

// A check box's stored value: "0" unchecked, "1" checked, "2" greyed.
int checkValue(const QAbstractButton* box);

} // namespace app
