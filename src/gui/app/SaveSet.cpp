#include "gui/app/SaveSet.h"

#include "base/core/SettingsStore.h"
#include "gui/app/SettingsBinding.h"
#include "gui/form/WindowState.h"

namespace app {

core::Result SaveSet(const form::Controls& controls, form::WindowState& state, core::SettingsStore& settings)
{
    const SettingsBinding binding(controls, state);
    binding.save(settings);
    if (state.run.saveFlag == 1)
        binding.saveVoiceValues(settings);
    return settings.sync();
}

} // namespace app
