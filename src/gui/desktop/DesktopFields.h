#pragma once

#include "gui/desktop/ShortcutBackend.h"

#include <array>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QKeySequenceEdit;
class QLabel;
class QWidget;

namespace desktop {

// The settings area's row for reading from anywhere: a key field per global shortcut with the hint beside it, and
// whether closing the window hides it in the tray.
struct DesktopFields {
    QGroupBox* frDesktop = nullptr;
    std::array<QKeySequenceEdit*, 2> keys{}; // by shortcutIndex()
    std::array<QLabel*, 2> hints{};          // what keeps a key from working, or empty
    QCheckBox* ckTray = nullptr;
};

// Creates the row in the window's settings area, enabled while the settings switch shows the area (so that Tab
// does not walk into it while it is cut off).
DesktopFields buildDesktopFields(QWidget* window, QAbstractButton* settingsSwitch);

// Shows the hint for a key's state beside its field and tells screen readers.
void showShortcutHint(const DesktopFields& fields, ShortcutAction action, const QString& hint);

} // namespace desktop
