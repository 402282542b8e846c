#pragma once

#include <QList>

#include <QObject>

#include <functional>

class QLabel;
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
namespace text {
class DictionaryEditor;
}

namespace app {

// The main window's keyboard shortcuts and key hints. It sees every key press while the window is active,
// before the focused control does, and passes it on (only the letter of an Alt combination is not typed). Esc, Insert,
// Delete and F12 act without a modifier; with Alt alone the ten key hints (lKeys) are shown and the letters run the
// button bar, the settings switch and the priority options. The clock timer hides the hints one second after the last
// Alt press. F12 runs the window's MakeINI.
class KeyHandler : public QObject {
    Q_OBJECT
public:
    // The window's controls this class works on: the buttons its keys press, and what Esc clears.
    struct Widgets {
        QWidget* window;
        form::TextBox* tAusgabe;
        QList<QLabel*> lKeys;
        QPushButton* ckStart;
        QPushButton* ckPause;
        QPushButton* ckMessage;
        QPushButton* ckSet;
        QPushButton* ckClip;
        QPushButton* cDat;
        QPushButton* cReset;
        QPushButton* cTime;
        QPushButton* cSave;
        QPushButton* cAdd;
        QPushButton* cRemove;
        QList<QRadioButton*> oTask;
    };
    // The fields of the window's state this class reads and writes.
    struct State {
        double& keyHintTime;      // seconds since midnight of the last key press with Alt
        const int& priorityIndex; // the oTask option Alt+I goes to
    };

    KeyHandler(const Widgets& widgets, const State& state, const core::Clock& clock, speech::SpeakingControl& speaking,
               text::DictionaryEditor& editor, std::function<void()> makeIni, QObject* parent = nullptr);

    // The handler proper: key is a Qt key code, modifiers only Shift, Control and Alt count.
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void plainKey(int key);
    void altKey(int key);
    void escape();

    Widgets m_controls;
    State m_state;
    const core::Clock& m_clock;
    speech::SpeakingControl& m_speaking;
    text::DictionaryEditor& m_editor;
    std::function<void()> m_makeIni;
};

} // namespace app
