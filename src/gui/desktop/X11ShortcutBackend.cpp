#include "gui/desktop/X11ShortcutBackend.h"

#include "gui/desktop/KeySymbols.h"

#include <QGuiApplication>

#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace desktop {

namespace {

// The modifiers a shortcut consists of; the lock keys and mouse buttons in an event's state are no part of it.
constexpr std::uint16_t kShortcutModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

std::uint16_t xModifiers(Qt::KeyboardModifiers modifiers)
{
    std::uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

} // namespace

std::unique_ptr<X11ShortcutBackend> X11ShortcutBackend::create(Callbacks callbacks)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    return std::unique_ptr<X11ShortcutBackend>(new X11ShortcutBackend(x11->connection(), std::move(callbacks)));
}

X11ShortcutBackend::X11ShortcutBackend(xcb_connection_t* connection, Callbacks callbacks)
    : m_connection(connection)
    , m_symbols(xcb_key_symbols_alloc(connection))
    , m_callbacks(std::move(callbacks))
{
    for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection)); screen.rem; xcb_screen_next(&screen))
        m_roots.push_back(screen.data->root);
    m_numLock = numLockMask();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11ShortcutBackend::~X11ShortcutBackend()
{
    // The connection ends with the application; grabs of a closed connection are gone anyway.
    if (qGuiApp) {
        for (Grab& grab : m_grabs)
            ungrab(grab);
    }
    xcb_key_symbols_free(m_symbols);
}

void X11ShortcutBackend::bind(ShortcutAction action, const QKeySequence& keys)
{
    Grab& grab = m_grabs[shortcutIndex(action)];
    ungrab(grab);
    grab.keys = keys;
    apply(action);
}

void X11ShortcutBackend::apply(ShortcutAction action)
{
    Grab& target = m_grabs[shortcutIndex(action)];
    const ShortcutState state = grab(target);
    const QString keys = target.keys.toString(QKeySequence::PortableText);
    if (state == ShortcutState::Taken)
        m_callbacks.log(QStringLiteral("Global shortcut %1: another program holds the key").arg(keys));
    else if (state == ShortcutState::Invalid)
        m_callbacks.log(QStringLiteral("Global shortcut %1: the key cannot be grabbed").arg(keys));
    m_callbacks.stateChanged(action, state);
}

ShortcutState X11ShortcutBackend::grab(Grab& grab)
{
    if (grab.keys.isEmpty())
        return ShortcutState::Off;
    const QKeyCombination combination = grab.keys[0];
    const std::uint32_t keysym = keysymForKey(combination.key());
    if (grab.keys.count() != 1 || keysym == 0)
        return ShortcutState::Invalid;
    grab.modifiers = xModifiers(combination.keyboardModifiers());
    xcb_keycode_t* keycodes = xcb_key_symbols_get_keycode(m_symbols, keysym);
    for (const xcb_keycode_t* keycode = keycodes; keycode && *keycode != XCB_NO_SYMBOL; ++keycode)
        grab.keycodes.push_back(*keycode);
    std::free(keycodes);
    if (grab.keycodes.empty())
        return ShortcutState::Invalid; // the keyboard has no key with that symbol

    // The same key with the lock modifiers on is another combination to the server: grab each.
    const std::uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, m_numLock, std::uint16_t(XCB_MOD_MASK_LOCK | m_numLock)};
    std::vector<xcb_void_cookie_t> cookies;
    for (const xcb_window_t root : m_roots) {
        for (const xcb_keycode_t keycode : grab.keycodes) {
            for (const std::uint16_t lock : locks) {
                // Not owner_events: the press goes to the root window also while one of our own windows has focus.
                cookies.push_back(xcb_grab_key_checked(m_connection, 0, root, grab.modifiers | lock, keycode,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
        }
    }
    ShortcutState state = ShortcutState::Active;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            if (state == ShortcutState::Active)
                state = error->error_code == XCB_ACCESS ? ShortcutState::Taken : ShortcutState::Invalid;
            std::free(error);
        }
    }
    if (state != ShortcutState::Active)
        ungrab(grab);
    return state;
}

void X11ShortcutBackend::ungrab(Grab& grab)
{
    const std::uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, m_numLock, std::uint16_t(XCB_MOD_MASK_LOCK | m_numLock)};
    for (const xcb_window_t root : m_roots) {
        for (const xcb_keycode_t keycode : grab.keycodes) {
            for (const std::uint16_t lock : locks)
                xcb_ungrab_key(m_connection, keycode, root, grab.modifiers | lock);
        }
    }
    if (!grab.keycodes.empty())
        xcb_flush(m_connection);
    grab.keycodes.clear();
    grab.held = false;
}

std::uint16_t X11ShortcutBackend::numLockMask() const
{
    std::uint16_t mask = XCB_MOD_MASK_2; // NumLock's place on nearly every keyboard
    xcb_keycode_t* numLock = xcb_key_symbols_get_keycode(m_symbols, XKB_KEY_Num_Lock);
    xcb_get_modifier_mapping_reply_t* mapping =
        xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr);
    if (numLock && mapping) {
        const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(mapping);
        const int perModifier = mapping->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                if (keycodes[modifier * perModifier + i] == *numLock)
                    mask = std::uint16_t(1U << modifier);
            }
        }
    }
    std::free(numLock);
    std::free(mapping);
    return mask;
}

bool X11ShortcutBackend::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        // Another keyboard layout moves the symbols to other keys: grab them anew. Qt needs the event too.
        for (Grab& grab : m_grabs)
            ungrab(grab);
        xcb_refresh_keyboard_mapping(m_symbols, static_cast<xcb_mapping_notify_event_t*>(message));
        m_numLock = numLockMask();
        for (std::size_t i = 0; i < m_grabs.size(); ++i) {
            if (!m_grabs[i].keys.isEmpty())
                apply(shortcutAction(i));
        }
        return false;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (std::find(m_roots.begin(), m_roots.end(), key->event) == m_roots.end())
        return false; // typed into one of the program's own windows
    bool ours = false;
    for (std::size_t i = 0; i < m_grabs.size(); ++i) {
        Grab& grab = m_grabs[i];
        if (std::find(grab.keycodes.begin(), grab.keycodes.end(), key->detail) == grab.keycodes.end())
            continue;
        ours = true;
        if (type == XCB_KEY_RELEASE)
            grab.held = false;
        else if ((key->state & kShortcutModifiers) == grab.modifiers && !std::exchange(grab.held, true))
            m_callbacks.activated(shortcutAction(i));
    }
    return ours;
}

} // namespace desktop
