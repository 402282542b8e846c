#pragma once

#include "base/core/Result.h"

#include <QList>

class QAbstractButton;

namespace form {
struct Controls;
struct WindowState;
} // namespace form

namespace core {
class SettingsStore;
struct SettingsKey;
} // namespace core

namespace app {

// Writes the options, the device and voice choice and, with the save flag set, the format, rate and volume of
// the current voice, and syncs the store.
core::Result SaveSet(const form::Controls& controls, const form::WindowState& state, core::SettingsStore& settings);

// A check box's stored value: "0" unchecked, "1" checked, "2" greyed.
int checkValue(const QAbstractButton* box);

// The check boxes stored under "Check.*", in the order SaveSet writes them; start-up reads them from here too.
struct CheckSetting {
    const core::SettingsKey* key;
    QAbstractButton* box;
};
QList<CheckSetting> checkSettings(const form::Controls& controls);

} // namespace app
