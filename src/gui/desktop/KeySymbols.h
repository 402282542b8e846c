#pragma once

#include <QKeyCombination>
#include <QString>

#include <cstdint>

namespace desktop {

// The X keysym of a Qt key as the keyboard's unshifted symbol (letters in lower case), or 0 when it has none here.
std::uint32_t keysymForKey(Qt::Key key);

// A key combination as the desktop portal's shortcut triggers name it ("CTRL+ALT+s"), or empty without a keysym.
QString portalTrigger(QKeyCombination combination);

} // namespace desktop
