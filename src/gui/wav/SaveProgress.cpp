#include "gui/wav/SaveProgress.h"

#include "base/core/Clock.h"
#include "base/core/TerminationRequest.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdio>
#include <unistd.h>

namespace wav {

namespace {

const QString Caption = QStringLiteral("Speichern \u2026");

} // namespace

SaveProgress::SaveProgress(QWidget* window, const core::Clock& clock, Display display)
    : m_window(window)
    , m_clock(clock)
    , m_display(display)
    , m_started(clock.now())
{
}

SaveProgress::~SaveProgress()
{
    finish();
}

void SaveProgress::finish()
{
    if (m_dialog) {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
        delete m_dialog;
        m_dialog = nullptr;
    }
    if (m_display == Display::Terminal && m_lastPercent >= 0)
        std::fputc('\n', stderr);
    m_display = Display::None;
}

SaveProgress::Display SaveProgress::unattendedDisplay()
{
    return isatty(STDERR_FILENO) ? Display::Terminal : Display::None;
}

bool SaveProgress::report(int percent)
{
    // Asked to end from outside: the render stops as if cancelled, which drops its partial file.
    if (core::terminationSignal() != 0)
        m_cancelled = true;
    percent = qBound(0, percent, 100);
    if (m_display == Display::None || m_started.msecsTo(m_clock.now()) < ShowAfterMs)
        return !m_cancelled;
    if (m_display == Display::Terminal) {
        if (percent != m_lastPercent)
            std::fprintf(stderr, "\r%s %3d %%", Caption.toLocal8Bit().constData(), percent);
        std::fflush(stderr);
        m_lastPercent = percent;
        return !m_cancelled;
    }
    if (!m_dialog)
        showDialog();
    m_bar->setValue(percent);
    // Paint and let the dialog work, but run no timer or notifier: the window's handlers wait for the save.
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers | QEventLoop::ExcludeSocketNotifiers);
    return !m_cancelled;
}

void SaveProgress::showDialog()
{
    m_dialog = new QDialog(m_window);
    m_dialog->setObjectName(QStringLiteral("saveProgress"));
    m_dialog->setWindowTitle(m_window ? m_window->windowTitle() : Caption);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(m_dialog);
    layout->addWidget(new QLabel(Caption, m_dialog));
    m_bar = new QProgressBar(m_dialog);
    m_bar->setRange(0, 100);
    m_bar->setFormat(QStringLiteral("%p %"));
    m_bar->setMinimumWidth(300);
    layout->addWidget(m_bar);
    auto* buttons = new QDialogButtonBox(m_dialog);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setAccessibleName(QStringLiteral("Abbrechen"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, m_dialog, &QDialog::reject);
    connect(m_dialog, &QDialog::rejected, this, [this] { m_cancelled = true; });
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_dialog->show();
}

bool SaveProgress::belongsToDialog(QObject* object) const
{
    if (auto* widget = qobject_cast<QWidget*>(object))
        return widget == m_dialog || m_dialog->isAncestorOf(widget);
    if (auto* window = qobject_cast<QWindow*>(object))
        return window == m_dialog->windowHandle();
    return false;
}

bool SaveProgress::eventFilter(QObject* watched, QEvent* event)
{
    // Installed last, so it sees input before the window's own filters (shortcuts, Esc) could act on it.
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The dialog has one button: Esc, Enter and Space cancel, every other key goes nowhere.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
            m_dialog->reject();
        return true;
    }
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        return true;
    default:
        return event->isInputEvent() && !belongsToDialog(watched);
    }
}

} // namespace wav
