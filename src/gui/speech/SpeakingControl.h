#pragma once

#include "base/core/Result.h"
#include "base/speech/SpeakFlags.h"
#include "gui/form/Controls.h"

#include <QObject>
#include <QString>

#include <functional>

namespace form {
struct WindowState;
}

namespace speech {

class EventLog;
class Voice;

// Start, Stop, Pause/Resume, Skip, Reset, the speak flags and the one procedure that switches the controls
// between speaking and idle (SetSpeakingState).
//
// Needs: the controls (ckStart, ckPause, cSkip, vsUpDown, lSkip, cReset, the six chkSpFlag* boxes, frSet,
// coVoice, coFormat, coDevice, hsRate, hsVolume, cSave, cTime, cDat, tAusgabe, window), the window state
// (speakFlags, speaking, paused, savedStartEnabled, preparedTextFlag, unpreparedText, restorePending,
// savedText, run), the voice, the event log, and two callbacks from the window:
//   prepareText  - the preparation pass: keeps tAusgabe's text in state.unpreparedText, sets
//                  state.preparedTextFlag and gives the prepared text, which Start hands to the voice and
//                  then puts into tAusgabe; fails with the reason when the text cannot be prepared (then
//                  nothing is spoken);
//   unloadWindow - ends an unattended run (script or command-line text with Hide or Close) after speaking.
//
// The constructor connects: ckStart toggled -> Start/Stop, ckPause toggled -> Pause/Resume, cSkip and cReset
// clicked, vsUpDown valueChanged -> lSkip, the speak-flag boxes' stateChanged, tAusgabe textChanged and
// focusGained. Other parts start speaking by ckStart->setChecked(true) and stop it by setChecked(false).
class SpeakingControl : public QObject {
    Q_OBJECT
public:
    struct Callbacks {
        std::function<core::ResultOf<QString>()> prepareText;
        std::function<void()> unloadWindow;
    };

    SpeakingControl(const form::Controls& controls, form::WindowState& state, Voice& voice, EventLog& log,
                    Callbacks callbacks, QObject* parent = nullptr);

    // Switches the controls to speaking or idle; idle also unchecks ckStart and ckPause (running their
    // handlers), puts the unprepared and the saved text back and may end an unattended run. The flags are
    // stored last, so the nested handlers see the previous values.
    void SetSpeakingState(bool speaking, bool paused);
    // flags with bit set when state is not 0 (a greyed box counts as checked), else with bit cleared.
    static SpeakFlags SetSpeakFlag(int state, SpeakFlags flags, SpeakFlag bit);

    void Reset();
    void Skip();
    // Logs "Speak Error: " with the reason, marks the run as failed and returns to idle. Also for a stream that
    // fails while it is spoken.
    void speakFailed(const QString& error);

private:
    void startToggled(bool checked);
    void Start();
    void Stop();
    void pauseToggled(bool checked);
    void textChanged();
    void moveCaretToEnd();
    void connectFlagBoxes();

    form::Controls m_controls; // a copy: the struct only holds pointers to the window's controls
    form::WindowState& m_state;
    Voice& m_voice;
    EventLog& m_log;
    Callbacks m_callbacks;
    bool m_unloadRequested = false;
};

} // namespace speech
