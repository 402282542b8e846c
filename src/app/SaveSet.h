#pragma once

class QAbstractButton;

namespace form {
struct Controls;
struct WindowState;
} // namespace form

namespace core {
class SettingsStore;
}

namespace app {

// Writes the options, the device and voice choice and, with the save flag set, the format, rate and volume of
// the current voice.
void SaveSet(const form::Controls& controls, const form::WindowState& state, core::SettingsStore& settings);

// A check box's stored value: "0" unchecked, "1" checked, "2" greyed.
int checkValue(const QAbstractButton* box);

} // namespace app
