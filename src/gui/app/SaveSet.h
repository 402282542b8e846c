#pragma once

#include "base/core/Result.h"

namespace form {
struct Controls;
struct WindowState;
} // namespace form

namespace core {
class SettingsStore;
} // namespace core

namespace app {

// Writes the options, the device and voice choice and, with the save flag set, the format, rate and volume of
// the current voice, and syncs the store.
core::Result SaveSet(const form::Controls& controls, form::WindowState& state, core::SettingsStore& settings);

} // namespace app
