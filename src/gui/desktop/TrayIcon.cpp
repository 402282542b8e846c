#include "gui/desktop/TrayIcon.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace desktop {

TrayIcon::TrayIcon(QObject* parent)
    : QObject(parent)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_menu = std::make_unique<QMenu>();
    m_menu->addAction(QStringLiteral("Auswahl vorlesen"), this, &TrayIcon::readSelectionRequested);
    m_menu->addAction(QStringLiteral("Zwischenablage vorlesen"), this, &TrayIcon::readClipboardRequested);
    m_menu->addAction(QStringLiteral("Pause / Fortsetzen"), this, &TrayIcon::pauseRequested);
    m_menu->addAction(QStringLiteral("Stopp"), this, &TrayIcon::stopRequested);
    m_showHide = m_menu->addAction(QStringLiteral("Fenster verbergen"), this, &TrayIcon::showHideRequested);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Beenden"), this, &TrayIcon::quitRequested);

    m_icon = new QSystemTrayIcon(QIcon(QStringLiteral(":/sprechkit/sprechkit.svg")), this);
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            emit showHideRequested();
    });
    setSpeaking(false);
    m_icon->show();
}

TrayIcon::~TrayIcon()
{
    delete m_icon; // before the menu it points to
}

void TrayIcon::setSpeaking(bool speaking)
{
    if (m_icon)
        m_icon->setToolTip(speaking ? QStringLiteral("Sprechkit – spricht") : QStringLiteral("Sprechkit – bereit"));
}

void TrayIcon::setWindowVisible(bool visible)
{
    if (m_showHide)
        m_showHide->setText(visible ? QStringLiteral("Fenster verbergen") : QStringLiteral("Fenster zeigen"));
}

} // namespace desktop
