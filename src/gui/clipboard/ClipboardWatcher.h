#pragma once

#include "base/clipboard/ClipboardRules.h"
#include "gui/form/Controls.h"

#include <QObject>

#include <memory>

class QPushButton;

namespace form {
class TextBox;
}
namespace speech {
class SpeakingControl;
}

namespace clipboard {

// The system clipboard's text (QClipboard).
class SystemClipboardSource final : public ClipboardSource {
public:
    QString text() const override;
};

// The clipboard watcher on the window: while ckClip is checked, each timer tick reads the clipboard and a new
// text replaces the text of tAusgabe and is spoken by the speaking control; the old text comes back at the end
// (savedText). The constructor connects ckClip toggled.
class ClipboardWatcher : public QObject {
    Q_OBJECT
public:
    // The window's controls this class works on.
    struct Widgets {
        QPushButton* ckClip;
        form::TextBox* tAusgabe;
    };
    // The fields of the window's state this class reads and writes.
    struct State {
        QString& lastClipboardText; // the clipboard text last taken over
        QString& savedText;         // the text the clipboard's text borrowed the box from
        bool& restorePending;
    };

    ClipboardWatcher(const Widgets& widgets, const State& state, speech::SpeakingControl& speaking,
                     std::unique_ptr<ClipboardSource> source, QObject* parent = nullptr);

    // The clipboard text now: the start-up takes it as the baseline.
    QString readClipboardText() const { return m_source->text(); }
    // The clipboard step of the timer tick.
    void tick();

private:
    void clipToggled(bool checked);

    Widgets m_controls;
    State m_state;
    speech::SpeakingControl& m_speaking;
    std::unique_ptr<ClipboardSource> m_source;
};

} // namespace clipboard
