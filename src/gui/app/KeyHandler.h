#pragma once

#include "gui/form/Controls.h"

#include <QObject>

#include <functional>

namespace core {
class Clock;
}
namespace form {
struct WindowState;
}
namespace text {
class DictionaryEditor;
}

namespace app {

// The main window's keyboard shortcuts and key hints. It sees every key press while the window is active,
// before the focused control does, and passes it on (only the letter of an Alt combination is not typed). Esc, Insert,
// Delete and F12 act without a modifier; with Alt alone the ten key hints (lKeys) are shown and the letters run the
// button bar, the settings switch and the priority options. The clock timer hides the hints one second after the last
// Alt press.
//
// Needs: the controls, the window state (keyHintTime, priorityIndex), the clock, the dictionary editor and
// the window's MakeINI.
class KeyHandler : public QObject {
    Q_OBJECT
public:
    KeyHandler(const form::Controls& controls, form::WindowState& state, const core::Clock& clock,
               text::DictionaryEditor& editor, std::function<void()> makeIni, QObject* parent = nullptr);

    // The handler proper: key is a Qt key code, modifiers only Shift, Control and Alt count.
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void plainKey(int key);
    void altKey(int key);
    void escape();

    form::Controls m_controls; // a copy: the struct only holds pointers to the window's controls
    form::WindowState& m_state;
    const core::Clock& m_clock;
    text::DictionaryEditor& m_editor;
    std::function<void()> m_makeIni;
};

} // namespace app
