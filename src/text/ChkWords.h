#pragma once

class QLocale;

namespace app {
class Clock;
}
namespace ui {
struct Controls;
struct WindowState;
}

namespace text {

class DictionaryList;

// Prepares the text of the main text box for speaking: keeps the text as the unprepared text, runs the
// preparation pass with the dictionary rows and the two switches, clears the check box of every row the pass
// deactivated, and leaves the prepared text in the box.
void ChkWords(const ui::Controls& controls, ui::WindowState& state, DictionaryList& dictionary,
              const app::Clock& clock, const QLocale& locale);

} // namespace text
