#pragma once

#include "base/speech/SpeakFlags.h"
#include "gui/form/Controls.h"

#include <QObject>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

namespace core {
struct RunMode;
class SettingsStore;
} // namespace core

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
// SpeechInit ends in the speaking control's SetSpeakingState(false, false).
//
// The constructor connects the change handlers to currentIndexChanged / valueChanged, so a change made from
// code runs them like a user's change. Construct it before the start-up restores device and voice.
class EngineSetup : public QObject {
    Q_OBJECT
public:
    // The window's controls this class works on.
    struct Widgets {
        QComboBox* coVoice;
        QComboBox* coFormat;
        QComboBox* coDevice;
        QScrollBar* hsRate;
        QScrollBar* hsVolume;
        QLabel* lRateX;
        QLabel* lVolumeX;
        QCheckBox* chkSpFlagAync; // SpeechInit sets the default speak flags
        QCheckBox* chkSpFlagPurgeBeforeSpeak;
    };
    // The fields of the window's state this class reads and writes.
    struct State {
        const bool& startupComplete; // before, nothing chosen is applied or stored
        const core::RunMode& run;    // a script's values, a WAV target
        SpeakFlags& speakFlags;
        const bool& speaking;
    };

    EngineSetup(const Widgets& widgets, const State& state, Voice& voice, core::SettingsStore& settings, EventLog& log,
                SpeakingControl& speaking, QObject* parent = nullptr);

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

    Widgets m_controls;
    State m_state;
    Voice& m_voice;
    core::SettingsStore& m_settings;
    EventLog& m_log;
    SpeakingControl& m_speaking;
    bool m_takingEngineValues = false;
    bool m_devicesListed = false; // a run that renders into a file only never lists them
};

} // namespace speech
