#pragma once

#include "gui/form/Controls.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace core {
class Clock;
}
namespace form {
struct WindowState;
}

namespace announce {

// Timer1 and the two announce buttons. Every 500 ms a tick hides the key hints, refreshes the caption clock,
// runs the clipboard step, writes the automatic WAV file name and makes the scheduled time announcement; a
// step that fails is skipped. An announcement borrows tAusgabe: the text is kept in state.savedText and comes
// back when speaking returns to idle (restorePending).
//
// Needs: the controls (window, lKeys, tAusgabe, ckStart, ckSec, ckMessage, oMin, ckAuto, tFile, cTime, cDat),
// the window state (captionPrefix, isAdminRun, machineControlInUse, keyHintTime, announcedFlag, savedText,
// restorePending), the clock, the locale for day and month names, the base caption and the clipboard step.
class ClockTimer : public QObject {
    Q_OBJECT
public:
    ClockTimer(const form::Controls& controls, form::WindowState& state, const core::Clock& clock, QLocale locale,
               QString baseCaption, std::function<void()> clipboardStep, QObject* parent = nullptr);

    void start() { m_timer.start(); }
    void stop() { m_timer.stop(); }
    bool isActive() const { return m_timer.isActive(); }

    void tick();
    void announceTime();
    void announceDate();

private:
    void hideKeyHints(const QDateTime& now);
    void refreshCaption(const QDateTime& now);
    void refreshAutoFileName(const QDateTime& now);
    void scheduledAnnouncement(const QDateTime& now);
    void startSpeaking();
    int secondsSwitch() const;

    form::Controls m_controls; // a copy: the struct only holds pointers to the window's controls
    form::WindowState& m_state;
    const core::Clock& m_clock;
    QLocale m_locale;
    QString m_baseCaption;
    std::function<void()> m_clipboardStep;
    QTimer m_timer;
};

} // namespace announce
