#pragma once

#include "gui/announce/ClockTimer.h"
#include "gui/clipboard/ClipboardWatcher.h"
#include "gui/speech/EngineEvents.h"
#include "gui/speech/EngineSetup.h"
#include "gui/speech/SpeakingControl.h"
#include "gui/text/DictionaryEditor.h"
#include "gui/wav/WavSaver.h"

namespace form {
struct Controls;
struct WindowState;
} // namespace form

namespace app {

// Each controller's share of the window's controls and state, taken from the whole set the window owns. The
// window hands them out; tests that build a controller on a form of their own take them from here too.
speech::SpeakingControl::Widgets speakingWidgets(const form::Controls& c);
speech::SpeakingControl::State speakingState(form::WindowState& s);
speech::EngineSetup::Widgets engineSetupWidgets(const form::Controls& c);
speech::EngineSetup::State engineSetupState(form::WindowState& s);
speech::EngineEvents::Widgets engineEventsWidgets(const form::Controls& c);
text::DictionaryEditor::Widgets dictionaryEditorWidgets(const form::Controls& c);
announce::ClockTimer::Widgets clockTimerWidgets(const form::Controls& c);
announce::ClockTimer::State clockTimerState(form::WindowState& s);
clipboard::ClipboardWatcher::Widgets clipboardWidgets(const form::Controls& c);
clipboard::ClipboardWatcher::State clipboardState(form::WindowState& s);

wav::WavSaver::Widgets wavSaverWidgets(const form::Controls& c);
wav::WavSaver::State wavSaverState(form::WindowState& s);

} // namespace app
