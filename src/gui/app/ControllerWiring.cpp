#include "gui/app/ControllerWiring.h"

#include "gui/form/Controls.h"
#include "gui/form/WindowState.h"

#include <type_traits>

namespace app {

namespace {

// A read-only field is a const reference: handed a window field of another type, it would bind a converted copy
// that is gone once the filler returns. These keep the types equal.
template <typename Reference, typename Field>
constexpr bool kSameType = std::is_same_v<std::remove_cvref_t<Reference>, Field>;
using Window = form::WindowState;
static_assert(kSameType<decltype(wav::WavSaver::State::speakFlags), decltype(Window::speakFlags)>);
static_assert(kSameType<decltype(wav::WavSaver::State::run), decltype(Window::run)>);
static_assert(kSameType<decltype(speech::EngineSetup::State::startupComplete), decltype(Window::startupComplete)>);
static_assert(kSameType<decltype(speech::EngineSetup::State::speaking), decltype(Window::speaking)>);
static_assert(kSameType<decltype(announce::ClockTimer::State::isAdminRun), decltype(Window::isAdminRun)>);
static_assert(
    kSameType<decltype(announce::ClockTimer::State::machineControlInUse), decltype(Window::machineControlInUse)>);
static_assert(kSameType<decltype(announce::ClockTimer::State::keyHintTime), decltype(Window::keyHintTime)>);

} // namespace

speech::SpeakingControl::Widgets speakingWidgets(const form::Controls& c)
{
    return {.window = c.window,
            .tAusgabe = c.tAusgabe,
            .ckStart = c.ckStart,
            .ckPause = c.ckPause,
            .cSkip = c.cSkip,
            .vsUpDown = c.vsUpDown,
            .lSkip = c.lSkip,
            .cReset = c.cReset,
            .chkSpFlagPersistXML = c.chkSpFlagPersistXML,
            .chkSpFlagIsFilename = c.chkSpFlagIsFilename,
            .chkSpFlagAync = c.chkSpFlagAync,
            .chkSpFlagPurgeBeforeSpeak = c.chkSpFlagPurgeBeforeSpeak,
            .chkSpFlagNLPSpeakPunc = c.chkSpFlagNLPSpeakPunc,
            .chkSpFlagIsXML = c.chkSpFlagIsXML,
            .frSet = c.frSet,
            .coVoice = c.coVoice,
            .coFormat = c.coFormat,
            .coDevice = c.coDevice,
            .hsRate = c.hsRate,
            .hsVolume = c.hsVolume,
            .cSave = c.cSave,
            .cTime = c.cTime,
            .cDat = c.cDat};
}

speech::SpeakingControl::State speakingState(form::WindowState& s)
{
    return {.speakFlags = s.speakFlags,
            .speaking = s.speaking,
            .paused = s.paused,
            .savedStartEnabled = s.savedStartEnabled,
            .preparedTextFlag = s.preparedTextFlag,
            .unpreparedText = s.unpreparedText,
            .restorePending = s.restorePending,
            .savedText = s.savedText,
            .speechError = s.speechError,
            .run = s.run};
}

speech::EngineSetup::Widgets engineSetupWidgets(const form::Controls& c)
{
    return {.coVoice = c.coVoice,
            .coFormat = c.coFormat,
            .coDevice = c.coDevice,
            .hsRate = c.hsRate,
            .hsVolume = c.hsVolume,
            .lRateX = c.lRateX,
            .lVolumeX = c.lVolumeX,
            .chkSpFlagAync = c.chkSpFlagAync,
            .chkSpFlagPurgeBeforeSpeak = c.chkSpFlagPurgeBeforeSpeak};
}

speech::EngineSetup::State engineSetupState(form::WindowState& s)
{
    return {.startupComplete = s.startupComplete, .run = s.run, .speakFlags = s.speakFlags, .speaking = s.speaking};
}

speech::EngineEvents::Widgets engineEventsWidgets(const form::Controls& c)
{
    return {.tAusgabe = c.tAusgabe, .chkSpFlagIsFilename = c.chkSpFlagIsFilename, .coVoice = c.coVoice};
}

text::DictionaryEditor::Widgets dictionaryEditorWidgets(const form::Controls& c)
{
    return {.liWords = c.liWords,
            .tWL1 = c.tWL1,
            .tWL2 = c.tWL2,
            .cAdd = c.cAdd,
            .cRemove = c.cRemove,
            .cUp = c.cUp,
            .cDn = c.cDn};
}

announce::ClockTimer::Widgets clockTimerWidgets(const form::Controls& c)
{
    return {.window = c.window,
            .lKeys = c.lKeys,
            .tAusgabe = c.tAusgabe,
            .ckSec = c.ckSec,
            .ckMessage = c.ckMessage,
            .oMin = c.oMin,
            .ckAuto = c.ckAuto,
            .tFile = c.tFile,
            .cTime = c.cTime,
            .cDat = c.cDat};
}

announce::ClockTimer::State clockTimerState(form::WindowState& s)
{
    return {.captionPrefix = s.captionPrefix,
            .isAdminRun = s.isAdminRun,
            .machineControlInUse = s.machineControlInUse,
            .keyHintTime = s.keyHintTime,
            .announcedFlag = s.announcedFlag,
            .savedText = s.savedText,
            .restorePending = s.restorePending};
}

clipboard::ClipboardWatcher::Widgets clipboardWidgets(const form::Controls& c)
{
    return {.ckClip = c.ckClip, .tAusgabe = c.tAusgabe};
}

clipboard::ClipboardWatcher::State clipboardState(form::WindowState& s)
{
    return {.lastClipboardText = s.lastClipboardText, .savedText = s.savedText, .restorePending = s.restorePending};
}

wav::WavSaver::Widgets wavSaverWidgets(const form::Controls& c)
{
    return {.window = c.window,
            .tAusgabe = c.tAusgabe,
            .cSave = c.cSave,
            .ckAuto = c.ckAuto,
            .ckSubtitles = c.ckSubtitles,
            .tFile = c.tFile,
            .tPath = c.tPath,
            .coFormat = c.coFormat,
            .coVoice = c.coVoice};
}

wav::WavSaver::State wavSaverState(form::WindowState& s)
{
    return {.run = s.run,
            .speakFlags = s.speakFlags,
            .preparedTextFlag = s.preparedTextFlag,
            .unpreparedText = s.unpreparedText,
            .manualFileName = s.manualFileName};
}

} // namespace app
