#include "gui/wav/WavSaver.h"

#include "base/audiobook/BookRender.h"
#include "base/core/Clock.h"
#include "base/core/CommandLine.h"
#include "base/core/MessageBox.h"
#include "base/speech/MarkupTags.h"
#include "base/speech/Voice.h"
#include "gui/form/TextBox.h"
#include "gui/wav/SaveProgress.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace wav {

WavSaver::WavSaver(const Widgets& widgets, const State& state, speech::Voice& voice, Callbacks callbacks,
                   QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
    , m_state(state)
    , m_voice(voice)
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
    const QString& target = m_state.run.wavTarget;
    const QString path = target.isEmpty() ? m_controls.tPath->text() + m_controls.tFile->text() : target;

    static const core::SystemClock systemClock;
    SaveProgress progress(m_controls.window, m_progressClock ? *m_progressClock : systemClock,
                          target.isEmpty() ? SaveProgress::Display::Dialog : SaveProgress::unattendedDisplay());
    audiobook::BookRender render(m_voice, {m_callbacks.backToDevice, m_callbacks.log, m_callbacks.writeTags,
                                           [&progress](int percent) { return progress.report(percent); },
                                           [&progress] { return progress.cancelled(); }});
    const core::Result saved = [&]() -> core::Result {
        if (m_callbacks.prepareText) {
            if (core::Result prepared = m_callbacks.prepareText(); !prepared)
                return prepared;
        }
        const core::ResultOf<speech::AudioFormat> format =
            speech::audioFormatOfCode(m_controls.coFormat->currentData().toInt());
        if (!format)
            return format.result();
        audiobook::BookRequest book = m_document;
        book.target = path;
        book.text = m_controls.tAusgabe->text();
        book.markup = speech::MarkupTags::isMarkup(book.text, m_state.speakFlags).value();
        book.chapters = m_state.run.chapters && !target.isEmpty();
        book.voiceName = m_controls.coVoice->currentText();
        QStringList subtitles = m_state.run.subtitles;
        if (target.isEmpty() && m_controls.ckSubtitles && m_controls.ckSubtitles->isChecked())
            subtitles = {QStringLiteral("srt"), QStringLiteral("vtt")};
        return render.run(book, format.value(), m_state.speakFlags, subtitles);
    }();
    // Before any box: the progress dialog's input filter would keep the box from taking a click or a key.
    m_voice.setRenderProgress({});
    progress.finish();

    if (!saved) {
        const QString& error = saved.error();
        const QString failedPath = render.failedPath().isEmpty() ? path : render.failedPath();
        const QString prefix = QStringLiteral("Save to WAV ''") + failedPath + QStringLiteral("'' Error: ");
        m_callbacks.log(prefix, error);
        if (render.streamOpen()) {
            // Speech must not keep going into a broken file: back to the device, then drop the stream, so that
            // the failed or cancelled render leaves no partial file and does not replace an older file of that name.
            m_callbacks.backToDevice();
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
    if (m_state.run.wavTarget.isEmpty())
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
