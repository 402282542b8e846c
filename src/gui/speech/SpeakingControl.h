#pragma once

#include "base/core/Result.h"
#include "base/speech/SpeakFlags.h"
#include "gui/form/Controls.h"

#include <QObject>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

namespace core {
struct RunMode;
}
namespace form {
class TextBox;
}

namespace speech {

class EventLog;
class Voice;

// Start, Stop, Pause/Resume, Skip, Reset, the speak flags and the one procedure that switches the controls
// between speaking and idle (SetSpeakingState).
//
// The constructor connects: ckStart toggled -> Start/Stop, ckPause toggled -> Pause/Resume, cSkip and cReset
// clicked, vsUpDown valueChanged -> lSkip, the speak-flag boxes' stateChanged, tAusgabe textChanged and
// focusGained. Other parts start and stop speaking through start() and stop().
class SpeakingControl : public QObject {
    Q_OBJECT
public:
    // The window's controls this class works on.
    struct Widgets {
        QWidget* window;
        form::TextBox* tAusgabe;
        QPushButton* ckStart;
        QPushButton* ckPause;
        QPushButton* cSkip;
        QScrollBar* vsUpDown;
        QLabel* lSkip;
        QPushButton* cReset;
        QCheckBox* chkSpFlagPersistXML;
        QCheckBox* chkSpFlagIsFilename;
        QCheckBox* chkSpFlagAync;
        QCheckBox* chkSpFlagPurgeBeforeSpeak;
        QCheckBox* chkSpFlagNLPSpeakPunc;
        QCheckBox* chkSpFlagIsXML;
        // Blocked while speaking.
        QGroupBox* frSet;
        QComboBox* coVoice;
        QComboBox* coFormat;
        QComboBox* coDevice;
        QScrollBar* hsRate;
        QScrollBar* hsVolume;
        QPushButton* cSave;
        QPushButton* cTime;
        QPushButton* cDat;
    };
    // The fields of the window's state this class reads and writes.
    struct State {
        SpeakFlags& speakFlags; // flags of every speak of a text
        bool& speaking;         // the last values passed to SetSpeakingState
        bool& paused;
        bool& savedStartEnabled; // ckStart's enabled state when a Start began
        bool& preparedTextFlag;  // the box holds the prepared text: unpreparedText goes back at idle
        const QString& unpreparedText;
        bool& restorePending; // an announcement or clipboard text borrowed the box: savedText goes back at idle
        const QString& savedText;
        QString& speechError;     // the last speak that failed
        const core::RunMode& run; // an unattended run ends when speaking does
    };
    // From the window:
    //   prepareText  - the preparation pass: keeps tAusgabe's text in state.unpreparedText, sets
    //                  state.preparedTextFlag and gives the prepared text, which Start hands to the voice and
    //                  then puts into tAusgabe; fails with the reason when the text cannot be prepared (then
    //                  nothing is spoken);
    //   unloadWindow - ends an unattended run (script or command-line text with Hide or Close) after speaking.
    struct Callbacks {
        std::function<core::ResultOf<QString>()> prepareText;
        std::function<void()> unloadWindow;
    };

    SpeakingControl(const Widgets& widgets, const State& state, Voice& voice, EventLog& log, Callbacks callbacks,
                    QObject* parent = nullptr);

    // Speaks the text of tAusgabe, as pressing Start does; nothing while Start is down.
    void start();
    // Stops speaking, as releasing Start does; the text stays.
    void stop();
    // Start is down: speaking was asked for and has not ended.
    bool isStarted() const;

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

    Widgets m_controls;
    State m_state;
    Voice& m_voice;
    EventLog& m_log;
    Callbacks m_callbacks;
    bool m_unloadRequested = false;
};

} // namespace speech
