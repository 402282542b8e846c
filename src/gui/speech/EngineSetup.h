#pragma once

#include "gui/form/Controls.h"

#include <QObject>
#include <QString>

namespace core {
class SettingsStore;
}
namespace form {
struct WindowState;
}

namespace speech {

class EventLog;
class SpeakingControl;
class Voice;
enum class AudioFormat;

// The single coDevice entry when the platform reports no audio output (spelled so on purpose: it is the text
// users and scripts have always seen).
inline const QString kNoAudioOutput = QStringLiteral("No audio ouput object available");
// The format every reset and start-up falls back to.
inline const QString kDefaultFormat = QStringLiteral("16kHz, 16Bit, Mono");

// Voice, format and device lists and the rate and volume bars: fills them, applies a voice's stored (or
// scripted) values, and applies and stores every change.
//
// Needs: the controls (coVoice, coFormat, coDevice, hsRate, hsVolume, lRateX, lVolumeX), the window state
// (startupComplete, run.scriptRun, run.scriptPath, run.wavTarget), the voice, the settings store, the event log
// and the speaking control (SpeechInit ends in SetSpeakingState(false, false)).
//
// The constructor connects the change handlers to currentIndexChanged / valueChanged, so a change made from
// code runs them like a user's change. Construct it before the start-up restores device and voice.
class EngineSetup : public QObject {
    Q_OBJECT
public:
    EngineSetup(const form::Controls& controls, form::WindowState& state, Voice& voice, core::SettingsStore& settings,
                EventLog& log, SpeakingControl& speaking, QObject* parent = nullptr);

    // Fills the three lists from the voice, takes the voice's rate and volume into the bars, selects the default
    // format and the first device, sets the speak flags to 3 and returns to idle. Run once at start-up; a run with
    // a WAV target leaves the device list empty.
    void SpeechInit();
    // Applies the format, rate and volume stored for the voice coVoice shows (in a script run: the script's).
    void LoadVoiceSet();
    void FillFormatList();
    void AddFormat(const QString& text, AudioFormat format);

    // The change handlers; public because the WAV save and the start-up run them directly.
    void voiceSelected();
    void deviceSelected();
    void formatSelected();
    void rateChanged();
    void volumeChanged();
    // Fills coDevice again from the voice (a device went away) and applies the entry it then shows: the same
    // device when it is still there, else the first.
    void refreshDevices();

private:
    void fillDevices();
    void setBar(QScrollBar* bar, int value, void (Voice::*apply)(int));

    form::Controls m_controls; // a copy: the struct only holds pointers to the window's controls
    form::WindowState& m_state;
    Voice& m_voice;
    core::SettingsStore& m_settings;
    EventLog& m_log;
    SpeakingControl& m_speaking;
    bool m_takingEngineValues = false;
    bool m_devicesListed = false; // a run that renders into a file only never lists them
};

} // namespace speech
