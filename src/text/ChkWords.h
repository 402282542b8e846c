#pragma once

class QLocale;
class QString;

namespace core {
class Clock;
}
namespace form {
struct Controls;
struct WindowState;
} // namespace form

namespace text {

class DictionaryList;

// Prepares the text of the main text box for speaking: keeps the text as the unprepared text, runs the
// preparation pass with the dictionary rows and the two switches, clears the check box of every row the pass
// deactivated, and leaves the prepared text in the box. When the prepared text outgrows its limit, returns false
// with an English description and leaves the box, the rows and the prepared-text flag alone.
bool ChkWords(const form::Controls& controls, form::WindowState& state, DictionaryList& dictionary,
              const core::Clock& clock, const QLocale& locale, QString* error = nullptr);

// ChkWords without the last step: returns the prepared text, which the caller puts into the box. Start hands it
// to the voice first, so that the first words are heard while the box still takes in a long text.
bool prepareBoxText(const form::Controls& controls, form::WindowState& state, DictionaryList& dictionary,
                    const core::Clock& clock, const QLocale& locale, QString* prepared, QString* error = nullptr);

} // namespace text
