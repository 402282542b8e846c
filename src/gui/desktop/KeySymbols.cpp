#include "gui/desktop/KeySymbols.h"

#include <QChar>

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <utility>

namespace desktop {

std::uint32_t keysymForKey(Qt::Key key)
{
    // Latin-1 keys share their code with the keysym; Qt names letters by their capital, the keyboard by its small one.
    if (key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis)
        return QChar(char16_t(key)).toLower().unicode();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return XKB_KEY_F1 + (key - Qt::Key_F1);
    static constexpr std::array<std::pair<Qt::Key, std::uint32_t>, 18> kSpecial = {{
        {Qt::Key_Escape, XKB_KEY_Escape},
        {Qt::Key_Tab, XKB_KEY_Tab},
        {Qt::Key_Backspace, XKB_KEY_BackSpace},
        {Qt::Key_Return, XKB_KEY_Return},
        {Qt::Key_Enter, XKB_KEY_KP_Enter},
        {Qt::Key_Insert, XKB_KEY_Insert},
        {Qt::Key_Delete, XKB_KEY_Delete},
        {Qt::Key_Pause, XKB_KEY_Pause},
        {Qt::Key_Print, XKB_KEY_Print},
        {Qt::Key_Home, XKB_KEY_Home},
        {Qt::Key_End, XKB_KEY_End},
        {Qt::Key_Left, XKB_KEY_Left},
        {Qt::Key_Up, XKB_KEY_Up},
        {Qt::Key_Right, XKB_KEY_Right},
        {Qt::Key_Down, XKB_KEY_Down},
        {Qt::Key_PageUp, XKB_KEY_Page_Up},
        {Qt::Key_PageDown, XKB_KEY_Page_Down},
        {Qt::Key_Menu, XKB_KEY_Menu},
    }};
    for (const auto& [qtKey, keysym] : kSpecial) {
        if (qtKey == key)
            return keysym;
    }
    return 0;
}

QString portalTrigger(QKeyCombination combination)
{
    const std::uint32_t keysym = keysymForKey(combination.key());
    char name[64] = {};
    if (keysym == 0 || xkb_keysym_get_name(keysym, name, sizeof name) <= 0)
        return {};
    QString trigger;
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (modifiers & Qt::ControlModifier)
        trigger += QStringLiteral("CTRL+");
    if (modifiers & Qt::AltModifier)
        trigger += QStringLiteral("ALT+");
    if (modifiers & Qt::ShiftModifier)
        trigger += QStringLiteral("SHIFT+");
    if (modifiers & Qt::MetaModifier)
        trigger += QStringLiteral("LOGO+");
    return trigger + QString::fromLatin1(name);
}

} // namespace desktop
