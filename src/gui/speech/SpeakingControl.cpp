#include "gui/speech/SpeakingControl.h"

#include "base/core/CommandLine.h"
#include "base/speech/Voice.h"
#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"
#include "gui/speech/EngineSetup.h"
#include "gui/speech/EventLog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>

namespace speech {

namespace {

// Only blanks count as empty space for enabling Start and Save; a text of line breaks is still a text.
bool isBlank(const QString& text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

} // namespace

SpeakingControl::SpeakingControl(const Widgets& widgets, const State& state, Voice& voice, EventLog& log,
                                 Callbacks callbacks, QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
    , m_state(state)
    , m_voice(voice)
    , m_log(log)
    , m_callbacks(std::move(callbacks))
{
    connect(m_controls.ckStart, &QPushButton::toggled, this, &SpeakingControl::startToggled);
    connect(m_controls.ckPause, &QPushButton::toggled, this, &SpeakingControl::pauseToggled);
    connect(m_controls.cSkip, &QPushButton::clicked, this, &SpeakingControl::Skip);
    connect(m_controls.cReset, &QPushButton::clicked, this, &SpeakingControl::Reset);
    connect(m_controls.vsUpDown, &QScrollBar::valueChanged, this,
            [this](int value) { m_controls.lSkip->setText(QString::number(-value)); });
    connect(m_controls.tAusgabe, &form::TextBox::textChanged, this, &SpeakingControl::textChanged);
    connect(m_controls.tAusgabe, &form::TextBox::focusGained, this, [this] { m_controls.tAusgabe->moveCaretToEnd(); });
    connectFlagBoxes();
}

void SpeakingControl::connectFlagBoxes()
{
    const auto connectBit = [this](QCheckBox* box, SpeakFlag bit) {
        connect(box, &QCheckBox::stateChanged, this,
                [this, bit](int state) { m_state.speakFlags = SetSpeakFlag(state, m_state.speakFlags, bit); });
    };
    connectBit(m_controls.chkSpFlagAync, SpeakAsync);
    connectBit(m_controls.chkSpFlagPurgeBeforeSpeak, SpeakPurgeBeforeSpeak);
    connectBit(m_controls.chkSpFlagIsFilename, SpeakIsFilename);
    connectBit(m_controls.chkSpFlagPersistXML, SpeakPersistXML);
    connectBit(m_controls.chkSpFlagNLPSpeakPunc, SpeakNLPSpeakPunc);
    // XML or not XML: exactly one of the two bits once the box has been used.
    connect(m_controls.chkSpFlagIsXML, &QCheckBox::stateChanged, this, [this](int state) {
        const bool xml = state != Qt::Unchecked;
        m_state.speakFlags = SetSpeakFlag(xml ? 0 : 1, m_state.speakFlags, SpeakIsNotXML);
        m_state.speakFlags = SetSpeakFlag(xml ? 1 : 0, m_state.speakFlags, SpeakIsXML);
    });
}

SpeakFlags SpeakingControl::SetSpeakFlag(int state, SpeakFlags flags, SpeakFlag bit)
{
    return flags.setFlag(bit, state != 0);
}

void SpeakingControl::moveCaretToEnd()
{
    // A hidden window (an unattended run) has no caret to show.
    if (m_controls.window && m_controls.window->isVisible())
        m_controls.tAusgabe->moveCaretToEnd();
}

void SpeakingControl::start()
{
    // Through the button, so that it shows the request and a press ends it, as one made by hand.
    if (!m_controls.ckStart->isChecked())
        m_controls.ckStart->setChecked(true);
}

void SpeakingControl::stop()
{
    m_controls.ckStart->setChecked(false);
}

bool SpeakingControl::isStarted() const
{
    return m_controls.ckStart->isChecked();
}

void SpeakingControl::startToggled(bool checked)
{
    if (checked)
        Start();
    else
        Stop();
}

void SpeakingControl::Start()
{
    m_state.savedStartEnabled = m_controls.ckStart->isEnabled();
    m_controls.ckStart->setEnabled(true);
    moveCaretToEnd();
    m_log.AppendLog(QStringLiteral("Speak"));

    if (m_controls.tAusgabe->text().isEmpty()) {
        m_controls.ckStart->setChecked(false); // runs Stop
        return;
    }
    m_controls.ckPause->setEnabled(true);
    m_controls.tAusgabe->setLocked(true);
    QString text = m_controls.tAusgabe->text();
    const bool prepared = bool(m_callbacks.prepareText);
    if (prepared) {
        const core::ResultOf<QString> preparedText = m_callbacks.prepareText();
        if (!preparedText)
            return speakFailed(preparedText.error());
        text = preparedText.value();
    }

    // A request held by Pause is resumed, not spoken a second time. The voice gets the text before the box does:
    // putting a long text into the box takes far longer than the first words need, and the word events wait for
    // this handler to end anyway.
    core::Result spoken;
    if (!(m_state.paused && m_state.speaking)) {
        if (const core::ResultOf<int> stream = m_voice.speak(text, m_state.speakFlags); !stream)
            spoken = stream.result();
    }
    if (prepared)
        m_controls.tAusgabe->setText(text);
    if (!spoken)
        return speakFailed(spoken.error());
    if (m_state.paused) {
        if (const core::Result resumed = m_voice.resume(); !resumed)
            return speakFailed(resumed.error());
    }
    SetSpeakingState(true, false);
}

void SpeakingControl::Stop()
{
    m_log.AppendLog(QStringLiteral("Stop"));
    m_controls.ckPause->setEnabled(false);
    m_controls.cSave->setEnabled(true);
    m_controls.tAusgabe->setLocked(false);
    moveCaretToEnd();

    if (const core::ResultOf<int> purged = m_voice.speak(QString(), SpeakPurgeBeforeSpeak); !purged)
        return speakFailed(purged.error());
    if (m_state.paused) {
        if (const core::Result resumed = m_voice.resume(); !resumed)
            return speakFailed(resumed.error());
    }
    SetSpeakingState(false, false);
}

void SpeakingControl::speakFailed(const QString& error)
{
    m_log.AppendLog(QStringLiteral("Speak Error: "), error);
    m_state.speechError = QStringLiteral("Speak Error: ") + error; // an unattended run reports it when it ends
    // A failed Start unchecks ckStart here (which runs Stop). A failed Stop returns to idle as well: otherwise
    // the settings stay blocked and the prepared text stays in the box with nothing being spoken.
    SetSpeakingState(false, m_state.paused);
}

void SpeakingControl::pauseToggled(bool checked)
{
    if (checked) {
        m_log.AppendLog(QStringLiteral("Pause"));
        if (const core::Result paused = m_voice.pause(); !paused)
            m_log.AppendLog(QStringLiteral("Pause Error: "), paused.error());
        SetSpeakingState(m_state.speaking, true);
    } else {
        m_log.AppendLog(QStringLiteral("Resume"));
        if (const core::Result resumed = m_voice.resume(); !resumed)
            m_log.AppendLog(QStringLiteral("Resume Error: "), resumed.error());
        SetSpeakingState(m_state.speaking, false);
    }
}

void SpeakingControl::Skip()
{
    m_log.AppendLog(QStringLiteral("Skip"));
    bool ok = false;
    const double number = m_controls.lSkip->text().trimmed().toDouble(&ok);
    if (!ok || std::abs(number) > 32767) {
        m_log.AppendLog(QStringLiteral("Skip Error: "), QStringLiteral("The skip count is not a number"));
        return;
    }
    if (const core::ResultOf<int> skipped = m_voice.skip(SkipUnit::Sentence, int(std::nearbyint(number))); !skipped)
        m_log.AppendLog(QStringLiteral("Skip Error: "), skipped.error());
}

void SpeakingControl::SetSpeakingState(bool speaking, bool paused)
{
    const Widgets& c = m_controls;
    c.cSkip->setEnabled(speaking && !paused);
    if (speaking) {
        for (QWidget* widget :
             {static_cast<QWidget*>(c.frSet), static_cast<QWidget*>(c.coVoice), static_cast<QWidget*>(c.coFormat),
              static_cast<QWidget*>(c.coDevice), static_cast<QWidget*>(c.cSave), static_cast<QWidget*>(c.cTime),
              static_cast<QWidget*>(c.cDat)})
            widget->setEnabled(false);
        c.ckPause->setEnabled(true);
    } else {
        c.ckStart->setChecked(false); // runs Stop when it was checked
        c.ckStart->setEnabled(m_state.savedStartEnabled);
        c.ckPause->setChecked(false); // runs the Resume branch when it was checked
        c.ckPause->setEnabled(false);
        for (QWidget* widget :
             {static_cast<QWidget*>(c.frSet), static_cast<QWidget*>(c.coVoice), static_cast<QWidget*>(c.hsRate),
              static_cast<QWidget*>(c.hsVolume), static_cast<QWidget*>(c.coFormat), static_cast<QWidget*>(c.cTime),
              static_cast<QWidget*>(c.cDat)})
            widget->setEnabled(true);
        // The placeholder entry of a machine without audio output stays unusable.
        c.coDevice->setEnabled(!(c.coDevice->count() == 1 && c.coDevice->itemText(0) == kNoAudioOutput));
        if (m_state.preparedTextFlag) {
            m_state.preparedTextFlag = false;
            c.tAusgabe->setText(m_state.unpreparedText);
        }
        if (m_state.restorePending) {
            m_state.restorePending = false;
            c.tAusgabe->setText(m_state.savedText);
        }
        moveCaretToEnd();
        const core::RunMode& run = m_state.run;
        // Only once: the Stop run by unchecking ckStart above returns to idle too, and the window goes only once.
        if ((run.scriptRun || run.commandLineTextRun) && (run.hide == 1 || run.close == 1) && !m_unloadRequested &&
            m_callbacks.unloadWindow) {
            m_unloadRequested = true;
            m_callbacks.unloadWindow();
        }
    }
    // Last, so that the handlers run above saw the previous state.
    m_state.speaking = speaking;
    m_state.paused = paused;
}

void SpeakingControl::Reset()
{
    const Widgets& c = m_controls;
    c.coDevice->setCurrentIndex(0);
    if (const core::Result set = m_voice.setAudioOutput(-1); !set)
        m_log.AppendLog(QStringLiteral("Set audio output error: "), set.error());
    c.coFormat->setCurrentIndex(c.coFormat->findText(kDefaultFormat, Qt::MatchExactly));
    c.tAusgabe->setText(QString());
    c.hsVolume->setValue(100);
    c.hsRate->setValue(0);

    m_state.speakFlags = SpeakAsync | SpeakPurgeBeforeSpeak;
    c.chkSpFlagAync->setChecked(true);
    c.chkSpFlagPurgeBeforeSpeak->setChecked(true);
    c.chkSpFlagIsFilename->setChecked(false);
    c.chkSpFlagNLPSpeakPunc->setChecked(false);
    c.chkSpFlagPersistXML->setChecked(false);

    m_log.clear();
    c.lSkip->setText(QStringLiteral("0"));
    if (m_state.paused) {
        if (const core::Result resumed = m_voice.resume(); !resumed)
            m_log.AppendLog(QStringLiteral("Resume Error: "), resumed.error());
    }
    SetSpeakingState(false, false);
}

void SpeakingControl::textChanged()
{
    const bool hasText = !isBlank(m_controls.tAusgabe->text());
    m_controls.ckStart->setEnabled(hasText);
    m_controls.cSave->setEnabled(hasText);
}

} // namespace speech
