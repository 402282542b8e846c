#include "gui/app/KeyHandler.h"

#include "base/core/Clock.h"
#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"
#include "gui/speech/SpeakingControl.h"
#include "gui/text/DictionaryEditor.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace app {

namespace {

void toggle(QAbstractButton* button)
{
    button->setChecked(!button->isChecked());
}

void toggleIfEnabled(QAbstractButton* button)
{
    if (button->isEnabled())
        toggle(button);
}

void clickIfEnabled(QAbstractButton* button)
{
    if (button->isEnabled())
        button->click();
}

} // namespace

KeyHandler::KeyHandler(const Widgets& widgets, const State& state, const core::Clock& clock,
                       speech::SpeakingControl& speaking, text::DictionaryEditor& editor, std::function<void()> makeIni,
                       QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
    , m_state(state)
    , m_clock(clock)
    , m_speaking(speaking)
    , m_editor(editor)
    , m_makeIni(std::move(makeIni))
{
}

bool KeyHandler::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !m_controls.window->isActiveWindow() ||
        QApplication::activeWindow() != m_controls.window)
        return false;
    // A key the focused control ignores travels on to its parents as the same event: handle it once, at the
    // first receiver.
    QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : m_controls.window;
    if (watched != first)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    keyPressed(key->key(), key->modifiers());
    // The focused control still gets every key, except that Alt with a letter types nothing: a text box here
    // would insert the letter, where the shortcut is all the user asked for.
    const Qt::KeyboardModifiers state = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return state == Qt::AltModifier && !key->text().isEmpty() && key->text().at(0).isPrint();
}

void KeyHandler::keyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    Qt::KeyboardModifiers state = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Alt)
        state |= Qt::AltModifier;
    if (state == Qt::NoModifier)
        plainKey(key);
    else if (state == Qt::AltModifier)
        altKey(key);
}

void KeyHandler::plainKey(int key)
{
    const Widgets& c = m_controls;
    switch (key) {
    case Qt::Key_Escape:
        escape();
        break;
    case Qt::Key_Insert:
        if (c.cAdd->isEnabled() && m_editor.listHasFocus())
            m_editor.Add();
        break;
    case Qt::Key_Delete:
        if (c.cRemove->isEnabled() && m_editor.listHasFocus())
            m_editor.Remove();
        break;
    case Qt::Key_F12:
        if (m_makeIni)
            m_makeIni();
        break;
    default:
        break;
    }
}

void KeyHandler::escape()
{
    const Widgets& c = m_controls;
    if (c.tAusgabe->text().isEmpty())
        return;
    if (m_speaking.isStarted()) {
        m_speaking.stop(); // the text stays
        return;
    }
    c.ckStart->setEnabled(false);
    c.tAusgabe->setText(QString());
    if (c.window->isVisible())
        c.tAusgabe->moveCaretToEnd();
}

void KeyHandler::altKey(int key)
{
    const Widgets& c = m_controls;
    if (c.lKeys[0]->isHidden()) {
        for (QLabel* label : c.lKeys)
            label->show();
    }
    m_state.keyHintTime = m_clock.now().time().msecsSinceStartOfDay() / 1000.0;

    switch (key) {
    case Qt::Key_A:
        toggleIfEnabled(c.ckMessage);
        break;
    case Qt::Key_D:
        clickIfEnabled(c.cDat);
        break;
    case Qt::Key_E:
        toggleIfEnabled(c.ckSet);
        break;
    case Qt::Key_I:
        // Nothing while the settings area is hidden: its options cannot take the focus then.
        if (c.ckSet->isChecked() && m_state.priorityIndex >= 0 && m_state.priorityIndex < c.oTask.size())
            c.oTask[m_state.priorityIndex]->setFocus(Qt::ShortcutFocusReason);
        break;
    case Qt::Key_P:
        toggleIfEnabled(c.ckPause);
        break;
    case Qt::Key_R:
        clickIfEnabled(c.cReset);
        break;
    case Qt::Key_S:
        toggleIfEnabled(c.ckStart);
        break;
    case Qt::Key_T:
        clickIfEnabled(c.cTime);
        break;
    case Qt::Key_W:
        // The save button's tooltip and key hint promise Alt+W.
        clickIfEnabled(c.cSave);
        break;
    case Qt::Key_X:
        toggle(c.ckClip); // also while the button is disabled
        break;
    case Qt::Key_Z:
        toggleIfEnabled(c.ckClip);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: // the key that carries "+" on a US keyboard
        m_editor.Add();
        break;
    case Qt::Key_Minus:
        m_editor.Remove();
        break;
    default:
        break;
    }
}

} // namespace app
