#include "gui/announce/ClockTimer.h"

#include "base/announce/ClockTexts.h"
#include "base/announce/TimeAndDate.h"
#include "base/core/Clock.h"
#include "base/core/Version.h"
#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"
#include "gui/speech/SpeakingControl.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace announce {

namespace {

// A tick goes on after a failing step; nothing of it is reported.
template <typename Step> void skipOnFailure(Step&& step)
{
    try {
        step();
    } catch (...) {
    }
}

double secondsSinceMidnight(const QDateTime& now)
{
    return now.time().msecsSinceStartOfDay() / 1000.0;
}

} // namespace

ClockTimer::ClockTimer(const Widgets& widgets, const State& state, speech::SpeakingControl& speaking,
                       const core::Clock& clock, QLocale locale, QString baseCaption,
                       std::function<void()> clipboardStep, QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
    , m_state(state)
    , m_speaking(speaking)
    , m_clock(clock)
    , m_locale(std::move(locale))
    , m_baseCaption(std::move(baseCaption))
    , m_clipboardStep(std::move(clipboardStep))
{
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &ClockTimer::tick);
    connect(m_controls.cTime, &QPushButton::clicked, this, &ClockTimer::announceTime);
    connect(m_controls.cDat, &QPushButton::clicked, this, &ClockTimer::announceDate);
}

void ClockTimer::tick()
{
    // One reading for the whole tick, so the caption, the file name and the schedule agree.
    const QDateTime now = m_clock.now();
    skipOnFailure([&] { hideKeyHints(now); });
    skipOnFailure([&] { refreshCaption(now); });
    skipOnFailure([&] {
        if (m_clipboardStep)
            m_clipboardStep();
    });
    skipOnFailure([&] { refreshAutoFileName(now); });
    skipOnFailure([&] { scheduledAnnouncement(now); });
}

void ClockTimer::hideKeyHints(const QDateTime& now)
{
    if (m_controls.lKeys.isEmpty() || m_controls.lKeys[0]->isHidden())
        return;
    const double seconds = secondsSinceMidnight(now);
    // Past midnight the time of day starts again at 0: the hints shown before it must still go.
    if (seconds >= m_state.keyHintTime + 1 || seconds < m_state.keyHintTime) {
        for (QLabel* label : m_controls.lKeys)
            label->hide();
    }
}

void ClockTimer::refreshCaption(const QDateTime& now)
{
    const Qt::WindowStates states = m_controls.window->windowState();
    CaptionParts parts;
    parts.prefix = m_state.captionPrefix;
    parts.base = m_baseCaption;
    parts.version = core::GetProgVer();
    parts.normalWindow = !(states & (Qt::WindowMinimized | Qt::WindowMaximized));
    parts.isAdminRun = m_state.isAdminRun;
    parts.machineControlInUse = m_state.machineControlInUse;
    const QString caption = captionText(parts, now.time());
    if (m_controls.window->windowTitle() != caption)
        m_controls.window->setWindowTitle(caption);
}

void ClockTimer::refreshAutoFileName(const QDateTime& now)
{
    if (m_controls.ckAuto->checkState() == Qt::Checked)
        m_controls.tFile->setText(autoFileName(now));
}

void ClockTimer::scheduledAnnouncement(const QDateTime& now)
{
    ScheduleInput input;
    input.time = now.time();
    input.announcedFlag = m_state.announcedFlag;
    input.messageOn = m_controls.ckMessage->isChecked();
    input.textEmpty = m_controls.tAusgabe->text().isEmpty();
    input.minutely = m_controls.oMin->isChecked();
    const ScheduleStep step = announce::scheduledAnnouncement(input);
    m_state.announcedFlag = step.announcedFlag;
    switch (step.announcement) {
    case Announcement::None:
        break;
    case Announcement::Time:
        announceTime();
        break;
    case Announcement::DateAndTime:
        m_state.savedText = m_controls.tAusgabe->text();
        m_controls.tAusgabe->setText(Datum(now.date(), m_locale) + QStringLiteral(". ") +
                                     Zeit(now.time(), secondsSwitch()));
        m_state.restorePending = true;
        m_speaking.start();
        break;
    }
}

void ClockTimer::announceTime()
{
    m_state.savedText = m_controls.tAusgabe->text();
    m_controls.tAusgabe->setText(Zeit(m_clock.now().time(), secondsSwitch()));
    m_state.restorePending = true;
    m_speaking.start();
}

void ClockTimer::announceDate()
{
    m_state.savedText = m_controls.tAusgabe->text();
    m_controls.tAusgabe->setText(Datum(m_clock.now().date(), m_locale));
    QCoreApplication::processEvents();
    m_state.restorePending = true;
    m_speaking.start();
}

int ClockTimer::secondsSwitch() const
{
    switch (m_controls.ckSec->checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    default:
        return 2;
    }
}

} // namespace announce
