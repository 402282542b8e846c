#pragma once

#include "core/Result.h"

#include <QObject>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace core {
class Clock;
}
namespace form {
class TextBox;
}

namespace speech {
class EngineSetup;
class EventLog;
class Voice;
} // namespace speech

namespace wav {

// Save to WAV (cSave), the automatic file name switch (ckAuto) and the WAV file name fields: the window's part of
// a save around the render (RenderJob). The engine set-up's device handler points the voice back at the device.
//
// The constructor connects: cSave clicked -> Save, ckAuto toggled, tFile textChanged, focus of tFile and tPath.
// The start-up runs Save() directly for a WAV target.
class WavSaver : public QObject {
    Q_OBJECT
public:
    // The window's controls this class works on.
    struct Widgets {
        QWidget* window; // the progress dialog's parent
        form::TextBox* tAusgabe;
        QPushButton* cSave;
        QCheckBox* ckAuto;
        QLineEdit* tFile;
        QLineEdit* tPath;
        QComboBox* coFormat;
    };
    // The fields of the window's state this class reads and writes.
    struct State {
        const QString& wavTarget; // the file of a WAV target run, or empty
        const quint32& speakFlags;
        bool& preparedTextFlag; // the box holds the prepared text: unpreparedText goes back after the save
        const QString& unpreparedText;
        QString& manualFileName; // the WAV file name the user typed
    };
    // From the window:
    //   prepareText    - the same preparation pass that Start uses; fails with the reason when the text cannot be
    //                    prepared;
    //   finishedTarget - called instead of the confirmation box when a WAV target was set, with success after
    //                    the file was written or the error (the window ends the run with it).
    struct Callbacks {
        std::function<core::Result()> prepareText;
        std::function<void(const core::Result& saved)> finishedTarget;
    };

    WavSaver(const Widgets& widgets, const State& state, speech::Voice& voice, speech::EngineSetup& engine,
             speech::EventLog& log, Callbacks callbacks, QObject* parent = nullptr);

    // Renders the prepared text of tAusgabe into the WAV file; blocks until it is written.
    // A long save shows its progress and can be cancelled (SaveProgress); a cancelled save leaves no file.
    core::Result Save();
    // The clock that times when the progress appears; the system clock unless set.
    void setProgressClock(const core::Clock& clock) { m_progressClock = &clock; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void autoToggled(bool checked);
    void fileTextChanged();
    void handleStreamEvents();
    void restoreUnpreparedText();

    Widgets m_controls;
    State m_state;
    speech::Voice& m_voice;
    speech::EngineSetup& m_engine;
    speech::EventLog& m_log;
    Callbacks m_callbacks;
    const core::Clock* m_progressClock = nullptr;
};

} // namespace wav
