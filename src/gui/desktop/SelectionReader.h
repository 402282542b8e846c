#pragma once

#include "base/core/Result.h"

#include <QString>

namespace desktop {

// The text the user selected last: the primary selection (what was marked with the mouse) where the platform has
// one, else the clipboard. Text only; fails with "nothing selected" when there is none or only blanks.
core::ResultOf<QString> readSelection();

// The clipboard's text; fails with "nothing on the clipboard" when it holds none or only blanks.
core::ResultOf<QString> readClipboard();

} // namespace desktop
