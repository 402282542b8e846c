#pragma once

#include "form/Controls.h"

#include <QObject>
#include <QString>

#include <functional>

namespace core {
class Clock;
}

namespace form {
struct WindowState;
}

namespace speech {
class EngineSetup;
class EventLog;
class Voice;
} // namespace speech

namespace wav {

// Save to WAV (cSave), the automatic file name switch (ckAuto) and the WAV file name fields.
//
// Needs: the controls (cSave, ckAuto, tFile, tPath, coFormat, tAusgabe), the window state (run.wavTarget,
// speakFlags, unpreparedText, preparedTextFlag, manualFileName), the voice, the engine set-up (its device
// handler points the voice back at the device), the event log and two callbacks from the window:
//   prepareText    - the same preparation pass that Start uses; false with the reason when it failed;
//   finishedTarget - called instead of the confirmation box when a WAV target was set, with true after the
//                    file was written and false after a failure (the window ends the run).
//
// The constructor connects: cSave clicked -> Save, ckAuto toggled, tFile textChanged, focus of tFile and tPath.
// The start-up runs Save() directly for a WAV target.
class WavSaver : public QObject {
    Q_OBJECT
public:
    struct Callbacks {
        std::function<bool(QString* error)> prepareText;
        std::function<void(bool ok)> finishedTarget;
    };

    WavSaver(const form::Controls& controls, form::WindowState& state, speech::Voice& voice,
             speech::EngineSetup& engine, speech::EventLog& log, Callbacks callbacks, QObject* parent = nullptr);

    // Renders the prepared text of tAusgabe into the WAV file; blocks until it is written. True on success.
    // A long save shows its progress and can be cancelled (SaveProgress); a cancelled save leaves no file.
    bool Save();
    // The clock that times when the progress appears; the system clock unless set.
    void setProgressClock(const core::Clock& clock) { m_progressClock = &clock; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void autoToggled(bool checked);
    void fileTextChanged();
    void handleStreamEvents();
    void restoreUnpreparedText();

    form::Controls m_controls; // a copy: the struct only holds pointers to the window's controls
    form::WindowState& m_state;
    speech::Voice& m_voice;
    speech::EngineSetup& m_engine;
    speech::EventLog& m_log;
    Callbacks m_callbacks;
    const core::Clock* m_progressClock = nullptr;
};

} // namespace wav
