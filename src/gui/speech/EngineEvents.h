#pragma once

#include "gui/form/Controls.h"

#include <QObject>
#include <QString>

class QCheckBox;
class QComboBox;

namespace form {
class TextBox;
}

namespace speech {

class EventLog;
class SpeakingControl;
class Voice;

// The voice's nine events: a log line each (while "Show Events" is checked), word highlighting in tAusgabe,
// the speaking state at the start and end of a stream, and voice changes followed in coVoice. The constructor
// connects the voice's signals.
class EngineEvents : public QObject {
    Q_OBJECT
public:
    // The window's controls this class works on.
    struct Widgets {
        form::TextBox* tAusgabe;
        QCheckBox* chkSpFlagIsFilename; // a file name is spoken: nothing to highlight
        QComboBox* coVoice;
    };

    // paused: the window's pause state, kept by the speaking control.
    EngineEvents(const Widgets& widgets, const bool& paused, Voice& voice, EventLog& log, SpeakingControl& speaking,
                 QObject* parent = nullptr);

    // Selects [start, start + length) of tAusgabe unless chkSpFlagIsFilename is checked; logs a failure.
    void HighlightRange(qint64 start, qint64 length);

    void Voice_AudioLevel(int stream, qint64 position, int level);
    void Voice_Bookmark(int stream, qint64 position, const QString& bookmark, int id);
    void Voice_EndStream(int stream, qint64 position);
    void Voice_EnginePrivate(int stream, qint64 position, qint64 lParam);
    void Voice_Phoneme(int stream, qint64 position, int duration, int nextPhoneId, int feature, int currentPhoneId);
    void Voice_Sentence(int stream, qint64 position, int characterPosition, int length);
    void Voice_StartStream(int stream, qint64 position);
    void Voice_VoiceChange(int stream, qint64 position, const QString& tokenDescription);
    void Voice_Word(int stream, qint64 position, int characterPosition, int length);
    // A stream failed while it was spoken: reported as a failed Start is.
    void Voice_StreamError(int stream, qint64 position, const QString& description);
    // Something the voice did not carry out (markup audio): its line goes to the log, events shown or not.
    void Voice_Notice(int stream, qint64 position, const QString& text);

private:
    Widgets m_controls;
    const bool& m_paused;
    EventLog& m_log;
    SpeakingControl& m_speaking;
};

} // namespace speech
