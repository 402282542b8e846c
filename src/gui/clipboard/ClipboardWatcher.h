#pragma once

#include "base/clipboard/ClipboardRules.h"
#include "gui/form/Controls.h"

#include <QObject>

#include <memory>

namespace form {
struct WindowState;
}

namespace clipboard {

// The system clipboard's text (QClipboard).
class SystemClipboardSource final : public ClipboardSource {
public:
    QString text() const override;
};

// The clipboard watcher on the window: while ckClip is checked, each timer tick reads the clipboard and a new
// text replaces the text of tAusgabe and is spoken; the old text comes back at the end (savedText).
//
// Needs: the controls (ckClip, ckStart, tAusgabe), the window state (lastClipboardText, savedText,
// restorePending) and a clipboard source. The constructor connects ckClip toggled.
class ClipboardWatcher : public QObject {
    Q_OBJECT
public:
    ClipboardWatcher(const form::Controls& controls, form::WindowState& state, std::unique_ptr<ClipboardSource> source,
                     QObject* parent = nullptr);

    // The clipboard text now: the start-up takes it as the baseline.
    QString readClipboardText() const { return m_source->text(); }
    // The clipboard step of the timer tick.
    void tick();

private:
    void clipToggled(bool checked);

    form::Controls m_controls; // a copy: the struct only holds pointers to the window's controls
    form::WindowState& m_state;
    std::unique_ptr<ClipboardSource> m_source;
};

} // namespace clipboard
