#pragma once

#include <QList>

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace core {
class Clock;
}
namespace form {
class TextBox;
}
namespace speech {
class SpeakingControl;
}

namespace announce {

// Timer1 and the two announce buttons. Every 500 ms a tick hides the key hints, refreshes the caption clock,
// runs the clipboard step, writes the automatic WAV file name and makes the scheduled time announcement; a
// step that fails is skipped. An announcement borrows tAusgabe: the text is kept in state.savedText and comes
// back when speaking returns to idle (restorePending). The speaking control speaks it.
class ClockTimer : public QObject {
    Q_OBJECT
public:
    // The window's controls this class works on.
    struct Widgets {
        QWidget* window; // its caption shows the clock
        QList<QLabel*> lKeys;
        form::TextBox* tAusgabe;
        QCheckBox* ckSec;
        QPushButton* ckMessage;
        QRadioButton* oMin;
        QCheckBox* ckAuto; // the automatic WAV file name in tFile
        QLineEdit* tFile;
        QPushButton* cTime;
        QPushButton* cDat;
    };
    // The fields of the window's state this class reads and writes.
    struct State {
        const QString& captionPrefix;
        const bool& isAdminRun;
        const bool& machineControlInUse;
        const double& keyHintTime; // the key hints go one second after it
        bool& announcedFlag;
        QString& savedText; // the text an announcement borrowed the box from
        bool& restorePending;
    };

    // locale gives day and month names; clipboardStep is run on every tick.
    ClockTimer(const Widgets& widgets, const State& state, speech::SpeakingControl& speaking, const core::Clock& clock,
               QLocale locale, QString baseCaption, std::function<void()> clipboardStep, QObject* parent = nullptr);

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
    int secondsSwitch() const;

    Widgets m_controls;
    State m_state;
    speech::SpeakingControl& m_speaking;
    const core::Clock& m_clock;
    QLocale m_locale;
    QString m_baseCaption;
    std::function<void()> m_clipboardStep;
    QTimer m_timer;
};

} // namespace announce
