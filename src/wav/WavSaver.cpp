#include "wav/WavSaver.h"

#include "core/Clock.h"
#include "core/MessageBox.h"
#include "form/TextBox.h"
#include "speech/EngineSetup.h"
#include "speech/EventLog.h"
#include "speech/Voice.h"
#include "wav/RenderJob.h"
#include "wav/SaveProgress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace wav {

WavSaver::WavSaver(const Widgets& widgets, const State& state, speech::Voice& voice, speech::EngineSetup& engine,
                   speech::EventLog& log, Callbacks callbacks, QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
    , m_state(state)
    , m_voice(voice)
    , m_engine(engine)
    , m_log(log)
    , m_callbacks(std::move(callbacks))
{
    // The log and the box have told the user already.
    connect(m_controls.cSave, &QPushButton::clicked, this, [this] { (void)Save(); });
    connect(m_controls.ckAuto, &QCheckBox::toggled, this, &WavSaver::autoToggled);
    connect(m_controls.tFile, &QLineEdit::textChanged, this, &WavSaver::fileTextChanged);
    m_controls.tFile->installEventFilter(this);
    m_controls.tPath->installEventFilter(this);
}

core::Result WavSaver::Save()
{
    const QString& target = m_state.wavTarget;
    const QString path = target.isEmpty() ? m_controls.tPath->text() + m_controls.tFile->text() : target;

    static const core::SystemClock systemClock;
    SaveProgress progress(m_controls.window, m_progressClock ? *m_progressClock : systemClock,
                          target.isEmpty() ? SaveProgress::Display::Dialog : SaveProgress::unattendedDisplay());
    RenderJob job(m_voice, {.text = [this]() -> core::ResultOf<QString> {
                                if (m_callbacks.prepareText) {
                                    if (core::Result prepared = m_callbacks.prepareText(); !prepared)
                                        return prepared;
                                }
                                return m_controls.tAusgabe->text();
                            },
                            .backToDevice = [this] { m_engine.deviceSelected(); },
                            .log = [this](const QString& line) { m_log.AppendLog(line); },
                            .progress = &progress});
    const core::Result saved = job.run(path, m_controls.coFormat->currentData().toInt(), m_state.speakFlags);

    handleStreamEvents();
    if (!saved) {
        restoreUnpreparedText();
        if (!target.isEmpty() && m_callbacks.finishedTarget)
            m_callbacks.finishedTarget(saved);
        return saved;
    }
    if (target.isEmpty()) {
        core::Message message;
        message.title = QStringLiteral(" HINWEIS:");
        message.text = QStringLiteral("Datei ''") + path + QStringLiteral("'' wurde gespeichert!");
        message.buttons = core::MessageButtons::Ok;
        message.icon = core::MessageIcon::None;
        core::showMessage(message);
        restoreUnpreparedText();
    } else {
        // The callback ends the run and may take the window with it: the text goes back first.
        restoreUnpreparedText();
        if (m_callbacks.finishedTarget)
            m_callbacks.finishedTarget({});
    }
    return {};
}

void WavSaver::handleStreamEvents()
{
    // The stream's events have come in by now; its end returns the window to idle. They go before the text is put
    // back, so that Start and Save end up enabled, also when no message box has run them first. A WAV target run
    // ends with the save instead, and its end must report the save's own result.
    if (m_state.wavTarget.isEmpty())
        QCoreApplication::sendPostedEvents(&m_voice, QEvent::MetaCall);
}

void WavSaver::restoreUnpreparedText()
{
    // The box holds the prepared text only while a request is spoken; a save is over when it returns.
    if (!m_state.preparedTextFlag)
        return;
    m_state.preparedTextFlag = false;
    m_controls.tAusgabe->setText(m_state.unpreparedText);
}

void WavSaver::autoToggled(bool checked)
{
    if (checked)
        m_state.manualFileName = m_controls.tFile->text();
    else
        m_controls.tFile->setText(m_state.manualFileName);
}

void WavSaver::fileTextChanged()
{
    // Names written by the timer while the automatic name is on are not the user's.
    if (!m_controls.ckAuto->isChecked())
        m_state.manualFileName = m_controls.tFile->text();
}

bool WavSaver::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == m_controls.tFile || watched == m_controls.tPath)) {
        // Let the field take the focus first (a tab focus selects all), then put the caret at the end.
        auto* field = static_cast<QLineEdit*>(watched);
        field->event(event);
        field->deselect();
        field->end(false);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace wav
