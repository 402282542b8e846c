#pragma once

#include "wav/RenderJob.h"

#include <QDateTime>
#include <QObject>

class QDialog;
class QProgressBar;
class QWidget;

namespace core {
class Clock;
}

namespace wav {

// How far a long save has come, and the way to stop it. A save that is still running after ShowAfterMs shows a
// modal "Speichern …" dialog with the percentage and "Abbrechen" (or, in an unattended run, a progress line on
// stderr when that is a terminal). While the dialog is up the window repaints but takes no input, and no timer
// or other handler of the window runs: the save still blocks as before, only painting and the dialog go on.
class SaveProgress : public QObject, public RenderJob::Progress {
    Q_OBJECT
public:
    enum class Display { Dialog, Terminal, None };
    static constexpr qint64 ShowAfterMs = 500;

    SaveProgress(QWidget* window, const core::Clock& clock, Display display);
    ~SaveProgress() override;

    // Terminal when stderr is a terminal, None otherwise.
    static Display unattendedDisplay();

    // The voice's progress function: true to go on, false once the user has cancelled.
    bool report(int percent) override;
    bool cancelled() const override { return m_cancelled; }
    // The render is over: the dialog and its input filter go, so the box that follows takes input again.
    void finish() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showDialog();
    bool belongsToDialog(QObject* object) const;

    QWidget* m_window;
    const core::Clock& m_clock;
    Display m_display;
    QDateTime m_started;
    QDialog* m_dialog = nullptr;
    QProgressBar* m_bar = nullptr;
    int m_lastPercent = -1;
    bool m_cancelled = false;
};

} // namespace wav
