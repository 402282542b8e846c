#pragma once

#include "gui/desktop/ShortcutBackend.h"

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace desktop {

// Global keys through the X server: each key is grabbed on the root windows, also with NumLock and CapsLock on,
// and its presses are taken out of Qt's event stream before any window sees them. Works for X11 sessions, and on
// a Wayland session while an X11 client has the focus.
class X11ShortcutBackend final : public ShortcutBackend, private QAbstractNativeEventFilter {
public:
    // Nothing when the program is no X11 client.
    static std::unique_ptr<X11ShortcutBackend> create(Callbacks callbacks);
    ~X11ShortcutBackend() override;
    X11ShortcutBackend(const X11ShortcutBackend&) = delete;
    X11ShortcutBackend& operator=(const X11ShortcutBackend&) = delete;

    void bind(ShortcutAction action, const QKeySequence& keys) override;

private:
    struct Grab {
        QKeySequence keys;
        std::vector<xcb_keycode_t> keycodes;
        std::uint16_t modifiers = 0;
        bool held = false; // pressed and not yet released: the keyboard's auto-repeat is no new press
    };

    X11ShortcutBackend(xcb_connection_t* connection, Callbacks callbacks);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void apply(ShortcutAction action);
    ShortcutState grab(Grab& grab);
    void ungrab(Grab& grab);
    std::uint16_t numLockMask() const;

    xcb_connection_t* m_connection;
    xcb_key_symbols_t* m_symbols;
    std::vector<xcb_window_t> m_roots;
    std::uint16_t m_numLock;
    std::array<Grab, 2> m_grabs;
    Callbacks m_callbacks;
};

} // namespace desktop
