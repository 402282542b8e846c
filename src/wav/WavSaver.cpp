#include "wav/WavSaver.h"

#include "core/Clock.h"
#include "core/MessageBox.h"
#include "form/TextBox.h"
#include "speech/EngineSetup.h"
#include "speech/EventLog.h"
#include "speech/Voice.h"
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
    m_voice.setRenderProgress([&progress](int percent) { return progress.report(percent); });

    bool streamOpen = false;
    const core::Result saved = [&]() -> core::Result {
        if (m_callbacks.prepareText) {
            if (core::Result prepared = m_callbacks.prepareText(); !prepared)
                return prepared;
        }
        const int code = m_controls.coFormat->currentData().toInt();
        if (core::Result opened = m_voice.openFileStream(path, code); !opened)
            return opened;
        streamOpen = true;
        m_log.AppendLog(QStringLiteral("Save to ") + path + QStringLiteral(" ..."));
        if (const core::ResultOf<int> stream = m_voice.speak(m_controls.tAusgabe->text(), m_state.speakFlags); !stream)
            return stream.result();
        m_voice.waitUntilDone(-1);
        if (progress.cancelled())
            return core::Result::failure(speech::Voice::cancelledError());
        m_engine.deviceSelected(); // as if the user re-selected the device
        streamOpen = false;
        return m_voice.closeFileStream();
    }();
    // Before any box: the progress dialog's input filter would keep the box from taking a click or a key.
    m_voice.setRenderProgress({});
    progress.finish();

    if (!saved) {
        const QString& error = saved.error();
        const QString prefix = QStringLiteral("Save to WAV ''") + path + QStringLiteral("'' Error: ");
        m_log.AppendLog(prefix, error);
        if (streamOpen) {
            // Speech must not keep going into a broken file: back to the device, then drop the stream, so that
            // the failed or cancelled render leaves no partial file and does not replace an older file of that name.
            m_engine.deviceSelected();
            m_voice.discardFileStream();
        }
        handleStreamEvents();
        restoreUnpreparedText();
        const core::Result failure = core::Result::failure(prefix + error);
        if (!target.isEmpty() && m_callbacks.finishedTarget)
            m_callbacks.finishedTarget(failure);
        return failure;
    }

    handleStreamEvents();
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
