#pragma once

#include <QString>

class QCheckBox;
class QPlainTextEdit;

namespace core {
class Clock;
}

namespace speech {

// The event log in DebugTxtBox: time-stamped lines from the speech handlers, engine events only while
// "Show Events" (ckEvents) is checked.
//
// The log box is read-only and written only through this class; the clock gives the time stamps. The widget
// shows each CR LF as one line break, so the exact text is kept here as well (text()).
class EventLog {
public:
    EventLog(QPlainTextEdit* box, QCheckBox* showEvents, const core::Clock& clock);

    // Appends "hh:mm:ss,hh  " + first + second + CR LF. A log longer than 64000 characters first loses its first
    // 10240 characters (the cut may fall inside a line).
    void AppendLog(const QString& first, const QString& second = QString());
    // Appends "  Event: " + eventText while ckEvents is checked; does nothing otherwise.
    void LogEvent(const QString& eventText);
    // Empties the log (Reset).
    void clear();

    // The exact text of the log, CR LF included.
    const QString& text() const { return m_text; }

private:
    void dropFront(qsizetype count);

    QPlainTextEdit* m_box;
    QCheckBox* m_showEvents;
    const core::Clock& m_clock;
    QString m_text;
};

} // namespace speech
