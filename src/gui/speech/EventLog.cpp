#include "gui/speech/EventLog.h"

#include "base/core/Clock.h"
#include "base/speech/LogClock.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace speech {

namespace {

constexpr qsizetype kMaxLength = 64000;
constexpr qsizetype kCutLength = 10240;

// The widget holds one block separator where the log has CR LF; a lone CR or LF is a break of its own.
QString shownText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

} // namespace

EventLog::EventLog(QPlainTextEdit* box, QCheckBox* showEvents, const core::Clock& clock)
    : m_box(box)
    , m_showEvents(showEvents)
    , m_clock(clock)
{
    m_text = m_box->toPlainText();
}

void EventLog::AppendLog(const QString& first, const QString& second)
{
    if (m_text.size() > kMaxLength)
        dropFront(kCutLength);

    // Half a millisecond keeps floor(seconds * 100) from landing one hundredth low through binary rounding.
    const double seconds = m_clock.now().time().msecsSinceStartOfDay() / 1000.0 + 0.0005;
    const QString line = FormatClock(seconds, 1) + QStringLiteral("  ") + first + second + QStringLiteral("\r\n");
    m_text += line;

    // Insert at the end rather than setting the whole text: the cost stays per line, not per log size.
    QScrollBar* bar = m_box->verticalScrollBar();
    const bool atBottom = bar->value() == bar->maximum();
    QTextCursor cursor(m_box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shownText(line));
    m_box->setTextCursor(cursor);
    if (atBottom)
        bar->setValue(bar->maximum());
}

void EventLog::LogEvent(const QString& eventText)
{
    if (m_showEvents->isChecked())
        AppendLog(QStringLiteral("  Event: ") + eventText);
}

void EventLog::clear()
{
    m_text.clear();
    m_box->clear();
}

void EventLog::dropFront(qsizetype count)
{
    // Widget characters of the cut: every CR LF pair whose CR lies inside it counts once. A cut between CR and
    // LF removes the pair's separator position from neither side, so the LF left behind stays a line break.
    qsizetype shown = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const bool pairedCr =
            m_text[i] == QLatin1Char('\r') && i + 1 < m_text.size() && m_text[i + 1] == QLatin1Char('\n');
        if (pairedCr && i + 1 < count)
            ++i; // CR LF inside the cut: one separator
        else if (pairedCr)
            break; // the CR of a pair split by the cut: its separator stays for the LF
        ++shown;
    }
    m_text.remove(0, count);

    QTextCursor cursor(m_box->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.setPosition(int(shown), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

} // namespace speech
