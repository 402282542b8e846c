#pragma once

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace desktop {

// The program's icon in the desktop's tray: its tooltip tells whether the program speaks, its menu offers the
// remote actions, showing or hiding the window and quitting, and a click on it shows or hides the window. All of it
// reaches the window through the signals. Where the desktop has no tray the object does nothing.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    bool available() const { return m_icon != nullptr; }
    void setSpeaking(bool speaking);
    // The show/hide entry names what it would do.
    void setWindowVisible(bool visible);
    // The menu, for tests; nullptr without a tray.
    QMenu* menu() const { return m_menu.get(); }

signals:
    void readSelectionRequested();
    void readClipboardRequested();
    void pauseRequested(); // pause, or resume when paused
    void stopRequested();
    void showHideRequested();
    void quitRequested();

private:
    std::unique_ptr<QMenu> m_menu; // a menu takes no QObject parent
    QSystemTrayIcon* m_icon = nullptr;
    QAction* m_showHide = nullptr;
};

} // namespace desktop
