#pragma once

#include <QKeySequence>
#include <QString>

#include <cstddef>
#include <functional>

namespace desktop {

// What a global shortcut does.
enum class ShortcutAction { ReadSelection, PauseResume };

// The actions in a fixed order, for tables with one entry per action.
inline std::size_t shortcutIndex(ShortcutAction action)
{
    return action == ShortcutAction::ReadSelection ? 0 : 1;
}
inline ShortcutAction shortcutAction(std::size_t index)
{
    return index == 0 ? ShortcutAction::ReadSelection : ShortcutAction::PauseResume;
}

// Where a global shortcut stands.
enum class ShortcutState {
    Off,         // no key set
    Pending,     // waiting for the desktop to confirm the key
    Active,      // the key works while other programs have the focus
    Taken,       // another program holds the key
    Invalid,     // the key cannot be a global shortcut (several chords, a key without a symbol)
    Unsupported, // this desktop offers no global shortcuts to the program
};

// A way to get keys pressed while other programs have the focus (the X server's key grabs, the desktop portal).
// It reports through the callbacks it was made with.
class ShortcutBackend {
public:
    struct Callbacks {
        std::function<void(ShortcutAction)> activated;
        std::function<void(ShortcutAction, ShortcutState)> stateChanged;
        std::function<void(const QString&)> log; // English lines for the event log
    };

    virtual ~ShortcutBackend() = default;
    // Binds the key (empty: none) to the action in place of the one it had.
    virtual void bind(ShortcutAction action, const QKeySequence& keys) = 0;
};

} // namespace desktop
