#include "gui/clipboard/ClipboardWatcher.h"

#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"
#include "gui/speech/SpeakingControl.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace clipboard {

QString SystemClipboardSource::text() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(QClipboard::Clipboard) : QString();
}

ClipboardWatcher::ClipboardWatcher(const Widgets& widgets, const State& state, speech::SpeakingControl& speaking,
                                   std::unique_ptr<ClipboardSource> source, QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
    , m_state(state)
    , m_speaking(speaking)
    , m_source(std::move(source))
{
    connect(m_controls.ckClip, &QPushButton::toggled, this, &ClipboardWatcher::clipToggled);
}

void ClipboardWatcher::tick()
{
    const std::optional<QString> text =
        takeOverClipboard(m_state.lastClipboardText, *m_source, m_controls.ckClip->isChecked(), m_speaking.isStarted());
    if (!text)
        return;
    m_state.savedText = m_controls.tAusgabe->text();
    m_state.restorePending = true;
    m_controls.tAusgabe->setText(*text);
    m_speaking.start();
}

void ClipboardWatcher::clipToggled(bool checked)
{
    switchWatcher(m_state.lastClipboardText, checked, m_speaking.isStarted());
}

} // namespace clipboard
