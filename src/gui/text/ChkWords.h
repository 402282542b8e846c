#pragma once

#include "base/core/Result.h"

class QLocale;

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
// deactivated, and leaves the prepared text in the box. When the prepared text outgrows its limit, fails with an
// English description and leaves the box, the rows and the prepared-text flag alone.
core::Result ChkWords(const form::Controls& controls, form::WindowState& state, DictionaryList& dictionary,
                      const core::Clock& clock, const QLocale& locale);

// ChkWords without the last step: returns the prepared text, which the caller puts into the box. Start hands it
// to the voice first, so that the first words are heard while the box still takes in a long text.
core::ResultOf<QString> prepareBoxText(const form::Controls& controls, form::WindowState& state,
                                       DictionaryList& dictionary, const core::Clock& clock, const QLocale& locale);

} // namespace text
