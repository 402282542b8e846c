#pragma once

#include "base/core/Result.h"

#include <QString>

namespace core {

// Where a key lives: the main section "Sprechkit", the voices section "Sprechkit\Voices", or the section of one
// voice, "Sprechkit\Voices\<voice as coVoice shows it>".
enum class SettingsSection { Main, Voices, PerVoice };

// How a stored value reads.
enum class ValueForm {
    CheckBox,    // "0", "1" or "2" (greyed)
    WindowState, // 0 normal, 1 minimised, 2 maximised
    Pixels,      // a number, possibly with a fraction
    Number,      // a number; "Window.Transparency" (0 to 255) and "Window.Shadow"
    Option,      // a name compared without regard to case
    Leading,     // leading-number conversion: text that does not begin with a number reads 0
    Text,        // names, file names and folders
};

// One persisted setting. The name is the stored spelling and must never change: files written by earlier
// versions are read by it.
struct SettingsKey {
    const char* name;
    SettingsSection section;
    ValueForm form;
    const char* defaultValue; // nullptr: decided at run time (the program's folder, the list's current entry)

    QString key() const { return QLatin1String(name); }
};

// Every key of the settings store.
namespace setting {
inline constexpr SettingsKey kWindowState{"Window.State", SettingsSection::Main, ValueForm::WindowState, "0"};
inline constexpr SettingsKey kWindowTop{"Window.Top", SettingsSection::Main, ValueForm::Pixels, "32"};
inline constexpr SettingsKey kWindowLeft{"Window.Left", SettingsSection::Main, ValueForm::Pixels, "32"};
inline constexpr SettingsKey kWindowTransparency{"Window.Transparency", SettingsSection::Main, ValueForm::Number, "0"};
inline constexpr SettingsKey kWindowShadow{"Window.Shadow", SettingsSection::Main, ValueForm::Number, "1"};
inline constexpr SettingsKey kCheckCaseSens{"Check.CaseSens", SettingsSection::Main, ValueForm::CheckBox, "1"};
inline constexpr SettingsKey kCheckClipboard{"Check.Clipboard", SettingsSection::Main, ValueForm::CheckBox, "0"};
inline constexpr SettingsKey kCheckEvents{"Check.Events", SettingsSection::Main, ValueForm::CheckBox, "0"};
inline constexpr SettingsKey kCheckMessage{"Check.Message", SettingsSection::Main, ValueForm::CheckBox, "0"};
// Spelled so since the first version.
inline constexpr SettingsKey kCheckSecounds{"Check.Secounds", SettingsSection::Main, ValueForm::CheckBox, "0"};
inline constexpr SettingsKey kCheckSettings{"Check.Settings", SettingsSection::Main, ValueForm::CheckBox, "0"};
inline constexpr SettingsKey kCheckWords{"Check.Words", SettingsSection::Main, ValueForm::CheckBox, "1"};
inline constexpr SettingsKey kOptionMessage{"Option.Message", SettingsSection::Main, ValueForm::Option, "Hour"};
inline constexpr SettingsKey kOptionTaskPriority{"Option.TaskPriority", SettingsSection::Main, ValueForm::Option,
                                                 "High"};
inline constexpr SettingsKey kWaveAuto{"Wave.Auto", SettingsSection::Main, ValueForm::CheckBox, "0"};
inline constexpr SettingsKey kWaveFile{"Wave.File", SettingsSection::Main, ValueForm::Text, "SpeechOut.wav"};
inline constexpr SettingsKey kWavePath{"Wave.Path", SettingsSection::Main, ValueForm::Text, nullptr};
inline constexpr SettingsKey kWaveSubtitles{"Wave.Subtitles", SettingsSection::Main, ValueForm::CheckBox, "0"};
inline constexpr SettingsKey kDevice{"Device", SettingsSection::Voices, ValueForm::Text, nullptr};
inline constexpr SettingsKey kSelected{"Selected", SettingsSection::Voices, ValueForm::Text, nullptr};
inline constexpr SettingsKey kFormat{"Format", SettingsSection::PerVoice, ValueForm::Text, ""};
inline constexpr SettingsKey kRate{"Rate", SettingsSection::PerVoice, ValueForm::Leading, "0"};
inline constexpr SettingsKey kVolume{"Volume", SettingsSection::PerVoice, ValueForm::Leading, "100"};
// The global shortcuts in Qt's portable form ("Ctrl+Alt+S"); empty: none. Their defaults are the desktop layer's.
inline constexpr SettingsKey kKeyReadSelection{"Key.ReadSelection", SettingsSection::Main, ValueForm::Text, nullptr};
inline constexpr SettingsKey kKeyPauseResume{"Key.PauseResume", SettingsSection::Main, ValueForm::Text, nullptr};
inline constexpr SettingsKey kCheckCloseToTray{"Check.CloseToTray", SettingsSection::Main, ValueForm::CheckBox, "0"};

inline constexpr const SettingsKey* kAll[] = {&kWindowState,    &kWindowTop,
                                              &kWindowLeft,     &kWindowTransparency,
                                              &kWindowShadow,   &kCheckCaseSens,
                                              &kCheckClipboard, &kCheckEvents,
                                              &kCheckMessage,   &kCheckSecounds,
                                              &kCheckSettings,  &kCheckWords,
                                              &kOptionMessage,  &kOptionTaskPriority,
                                              &kWaveAuto,       &kWaveFile,
                                              &kWavePath,       &kWaveSubtitles,
                                              &kDevice,         &kSelected,
                                              &kFormat,         &kRate,
                                              &kVolume,         &kKeyReadSelection,
                                              &kKeyPauseResume, &kCheckCloseToTray};
} // namespace setting

// Conversions of stored text by the key's value form. A failure names the key and the value as the start-up's
// error box shows them. None of them leaves a number out of range for an int.
ResultOf<int> storedInteger(const SettingsKey& key, const QString& text);   // CheckBox, WindowState
ResultOf<int> storedPixels(const SettingsKey& key, const QString& text);    // clamped to what a window can take
ResultOf<double> storedNumber(const SettingsKey& key, const QString& text); // NaN is not a number

// A leading-number conversion (scripts' Hide, Start, Close and Save) as an int: NaN reads 0, anything beyond
// the int range is clamped, halves round up.
int leadingInteger(const QString& text);

} // namespace core
