#include "gui/desktop/DesktopController.h"

#include "base/core/SettingsStore.h"
#include "gui/desktop/DesktopSettings.h"
#include "gui/desktop/SelectionReader.h"
#include "gui/form/TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QKeySequenceEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextStream>
#include <QTimer>

namespace desktop {

namespace {

constexpr std::array<RemoteAction, 5> kActions = {RemoteAction::ReadSelection, RemoteAction::ReadClipboard,
                                                  RemoteAction::Stop, RemoteAction::Pause, RemoteAction::Show};

} // namespace

DesktopController::DesktopController(Widgets widgets, const DesktopFields& fields, const State& state,
                                     const core::SettingsStore& settings, const QDBusConnection& bus,
                                     Callbacks callbacks, QObject* parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_fields(fields)
    , m_state(state)
    , m_callbacks(std::move(callbacks))
{
    for (const RemoteAction action : kActions)
        m_remote.setHandler(action, [this, action] { return perform(action); });
    if (const core::Result registered = m_remote.registerOn(bus); !registered)
        m_callbacks.log(QStringLiteral("Remote actions are not available: ") + registered.error());

    connect(&m_shortcuts, &GlobalShortcuts::activated, this, &DesktopController::shortcutPressed);
    connect(&m_shortcuts, &GlobalShortcuts::logLine, this, [this](const QString& line) { m_callbacks.log(line); });
    connect(&m_shortcuts, &GlobalShortcuts::stateChanged, this,
            [this](ShortcutAction action, ShortcutState shortcutState) {
                showShortcutHint(m_fields, action, GlobalShortcuts::hint(shortcutState));
            });
    const DesktopSettings stored = readDesktopSettings(settings);
    for (std::size_t i = 0; i < stored.keys.size(); ++i) {
        QKeySequenceEdit* field = m_fields.keys[i];
        const ShortcutAction action = shortcutAction(i);
        field->setKeySequence(stored.keys[i]);
        m_shortcuts.setKeys(action, stored.keys[i]);
        connect(field, &QKeySequenceEdit::editingFinished, this, [this, action] { keysEdited(action); });
        // The clear button ends no editing.
        connect(field, &QKeySequenceEdit::keySequenceChanged, this, [this, action](const QKeySequence& keys) {
            if (keys.isEmpty())
                keysEdited(action);
        });
    }
    m_fields.ckTray->setChecked(stored.closeToTray);

    connect(&m_tray, &TrayIcon::readSelectionRequested, this, [this] { (void)perform(RemoteAction::ReadSelection); });
    connect(&m_tray, &TrayIcon::readClipboardRequested, this, [this] { (void)perform(RemoteAction::ReadClipboard); });
    connect(&m_tray, &TrayIcon::pauseRequested, this, [this] { (void)perform(RemoteAction::Pause); });
    connect(&m_tray, &TrayIcon::stopRequested, this, [this] { (void)perform(RemoteAction::Stop); });
    connect(&m_tray, &TrayIcon::showHideRequested, this, &DesktopController::showOrHideWindow);
    connect(&m_tray, &TrayIcon::quitRequested, this, [this] { m_callbacks.quit(); });
    connect(m_widgets.ckStart, &QPushButton::toggled, &m_tray, &TrayIcon::setSpeaking);
    m_tray.setSpeaking(m_widgets.ckStart->isChecked());
    m_tray.setWindowVisible(m_widgets.window->isVisible());
    m_widgets.window->installEventFilter(this);
    // A window hidden in the tray is no reason to end; closing the last dialog meanwhile would otherwise end the
    // program without the unload.
    if (m_tray.available())
        QApplication::setQuitOnLastWindowClosed(false);
}

DesktopController::~DesktopController()
{
    m_widgets.window->removeEventFilter(this);
}

core::Result DesktopController::perform(RemoteAction action)
{
    if (action == RemoteAction::Show) {
        showWindow();
        return {};
    }
    // A dialog of the window (a box, the progress of a save) waits for the user; the window's controls take no
    // input meanwhile, and neither does this.
    if (QApplication::activeModalWidget())
        return core::Result::failure(QStringLiteral("the window is busy with a dialog"));
    switch (action) {
    case RemoteAction::ReadSelection:
        return read(readSelection());
    case RemoteAction::ReadClipboard:
        return read(readClipboard());
    case RemoteAction::Pause:
        return pauseOrResume();
    case RemoteAction::Stop:
        stop();
        return {};
    case RemoteAction::Show:
        break;
    }
    return {};
}

void DesktopController::performWhenRunning(RemoteAction action)
{
    QTimer::singleShot(0, this, [this, action] {
        if (const core::Result done = perform(action); !done)
            QTextStream(stderr) << "sprechkit: " << done.error() << Qt::endl;
    });
}

core::Result DesktopController::read(const core::ResultOf<QString>& text)
{
    if (!text) {
        QApplication::beep();
        return text.result();
    }
    // Stopping returns to idle, which puts the user's own text back first: that is the text to keep.
    stop();
    m_state.savedText = m_widgets.tAusgabe->text();
    m_state.restorePending = true;
    m_widgets.tAusgabe->setText(text.value());
    m_callbacks.startSpeaking();
    return {};
}

core::Result DesktopController::pauseOrResume()
{
    if (!m_widgets.ckStart->isChecked() || !m_widgets.ckPause->isEnabled())
        return core::Result::failure(QStringLiteral("nothing is being spoken"));
    m_widgets.ckPause->setChecked(!m_widgets.ckPause->isChecked());
    return {};
}

void DesktopController::stop()
{
    if (m_widgets.ckStart->isChecked())
        m_callbacks.stopSpeaking();
}

void DesktopController::showWindow()
{
    QWidget* window = m_widgets.window;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void DesktopController::showOrHideWindow()
{
    if (m_widgets.window->isVisible() && !m_widgets.window->isMinimized())
        m_widgets.window->hide();
    else
        showWindow();
}

bool DesktopController::hideOnClose()
{
    if (!m_tray.available() || !m_fields.ckTray->isChecked())
        return false;
    m_widgets.window->hide();
    return true;
}

void DesktopController::saveSettings(core::SettingsStore& settings) const
{
    DesktopSettings values;
    for (std::size_t i = 0; i < values.keys.size(); ++i)
        values.keys[i] = m_fields.keys[i]->keySequence();
    values.closeToTray = m_fields.ckTray->isChecked();
    writeDesktopSettings(settings, values);
}

bool DesktopController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_widgets.window && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        m_tray.setWindowVisible(event->type() == QEvent::Show);
    return false;
}

void DesktopController::shortcutPressed(ShortcutAction action)
{
    // The reading key is also the key to stop: one key for "read this" and "enough".
    if (action == ShortcutAction::ReadSelection && m_widgets.ckStart->isChecked())
        (void)perform(RemoteAction::Stop);
    else
        (void)perform(action == ShortcutAction::ReadSelection ? RemoteAction::ReadSelection : RemoteAction::Pause);
}

void DesktopController::keysEdited(ShortcutAction action)
{
    QKeySequenceEdit* field = m_fields.keys[shortcutIndex(action)];
    QKeySequence keys = field->keySequence();
    // A global shortcut is one key combination; the field records up to four.
    if (keys.count() > 1) {
        keys = QKeySequence(keys[0]);
        const QSignalBlocker blocker(field);
        field->setKeySequence(keys);
    }
    // Also when unchanged: a key another program held may be free now.
    m_shortcuts.setKeys(action, keys);
}

} // namespace desktop
