#pragma once

#include "base/audiobook/BookPlan.h"
#include "base/core/Result.h"
#include "base/speech/SpeakFlags.h"

#include <QObject>
#include <QString>

#include <functional>

namespace core {
class Clock;
}

namespace core {
struct RunMode;
}

namespace form {
class TextBox;
}

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace speech {
enum class AudioFormat;
class Voice;
} // namespace speech

namespace wav {

class SaveProgress;

// Save to WAV (cSave), the automatic file name switch (ckAuto) and the WAV file name fields.
//
// Callbacks from the window:
//   prepareText    - the same preparation pass that Start uses; fails with the reason when the text cannot be
//                    prepared;
//   finishedTarget - called instead of the confirmation box when a WAV target was set, with success after
//                    the file was written or the error (the window ends the run with it);
//   backToDevice   - the engine set-up's device handler, which points the voice back at the device;
//   log            - a line for the event log (text, and an error behind it).
//   writeTags      - tags a finished audio file; a failure is logged and the file delivered untagged.
//
// The render itself is audiobook::BookRender, which needs no window: beside the audio it writes the subtitles asked
// for (the target run's list, or SRT and WebVTT when ckSubtitles is checked), and with chapters (run.chapters) one
// audio file per chapter and a playlist. This class adds the path, the progress dialog, the log and the boxes.
//
// The constructor connects: cSave clicked -> Save, ckAuto toggled, tFile textChanged, focus of tFile and tPath.
// The start-up runs Save() directly for a WAV target.
class WavSaver : public QObject {
    Q_OBJECT
public:
    struct Callbacks {
        std::function<core::Result()> prepareText;
        std::function<void(const core::Result& saved)> finishedTarget;
        std::function<void()> backToDevice;
        std::function<void(const QString& text, const QString& error)> log;
        std::function<core::Result(const QString& path, const audiobook::TagValues& tags)> writeTags;
    };

    // The controls this class works on.
    struct Widgets {
        QWidget* window; // the progress dialog's parent
        form::TextBox* tAusgabe;
        QPushButton* cSave;
        QCheckBox* ckAuto;
        QCheckBox* ckSubtitles;
        QLineEdit* tFile;
        QLineEdit* tPath;
        QComboBox* coFormat;
        QComboBox* coVoice;
    };
    // The fields of the window's state this class reads and writes.
    struct State {
        const core::RunMode& run; // the WAV target and its subtitles and chapters
        const speech::SpeakFlags& speakFlags;
        bool& preparedTextFlag;
        const QString& unpreparedText;
        QString& manualFileName;
    };

    WavSaver(const Widgets& widgets, const State& state, speech::Voice& voice, Callbacks callbacks,
             QObject* parent = nullptr);

    // Renders the prepared text of tAusgabe into the WAV file; blocks until it is written.
    // A long save shows its progress and can be cancelled (SaveProgress); a cancelled save leaves no file.
    core::Result Save();
    // The clock that times when the progress appears; the system clock unless set.
    void setProgressClock(const core::Clock& clock) { m_progressClock = &clock; }
    // A document's headings, title and file for the chapters and tags of the next saves (target, text, markup and
    // voice are taken at the save).
    void setDocument(const audiobook::BookRequest& document) { m_document = document; }

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
    Callbacks m_callbacks;
    const core::Clock* m_progressClock = nullptr;
    audiobook::BookRequest m_document;
};

} // namespace wav
