#pragma once

#include <QString>

namespace form {

struct Controls;

// Names a control for screen readers from what a sighted user reads: "&Groß-/Kleinschreibung" gives
// "Groß-/Kleinschreibung", " [Alt+S]: Start / Stop " gives "Start / Stop". A caption with letters wins over the
// tooltip; a glyph caption ("▶") is no name.
QString accessibleNameFrom(const QString& caption, const QString& toolTip);

// Gives every control of the window a German accessible name and its tooltip as the description, names the text
// fields after their labels or frames, and lets the scroll bars take the keyboard focus. The Tab order is the
// order the controls were built in: text, voice settings, bars, buttons, then the settings area.
void applyAccessibility(const Controls& controls);

} // namespace form
