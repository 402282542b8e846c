#include "DesktopTest.h"

#include "gui/desktop/TrayIcon.h"

#include <QMenu>
#include <QProcess>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

using namespace desktop;

// Without a tray the icon does nothing; under a tray host (trayer) its menu holds the entries in order, each
// entry and a click on the icon reach the window through their signals, and texts follow speaking and visibility.
TEST(TrayIcon, MenuEntriesAndClickReachTheWindow)
{
    if (const QString missing = missingForX11({"trayer"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    EXPECT_FALSE(TrayIcon().available());
    QProcess host;
    host.start(QStringLiteral("trayer"), {});
    ASSERT_TRUE(eventually([] { return QSystemTrayIcon::isSystemTrayAvailable(); })) << "trayer offers no tray";

    TrayIcon tray;
    ASSERT_TRUE(tray.available());
    QStringList requested;
    const std::pair<void (TrayIcon::*)(), const char*> signalNames[] = {
        {&TrayIcon::readSelectionRequested, "selection"},
        {&TrayIcon::readClipboardRequested, "clipboard"},
        {&TrayIcon::pauseRequested, "pause"},
        {&TrayIcon::stopRequested, "stop"},
        {&TrayIcon::showHideRequested, "show/hide"},
        {&TrayIcon::quitRequested, "quit"}};
    for (const auto& [signal, name] : signalNames)
        QObject::connect(&tray, signal, [&requested, name = name] { requested << name; });
    QStringList texts;
    for (QAction* action : tray.menu()->actions()) {
        if (!action->isSeparator()) {
            texts << action->text();
            action->trigger();
        }
    }
    EXPECT_EQ(texts, QStringList({"Auswahl vorlesen", "Zwischenablage vorlesen", "Pause / Fortsetzen", "Stopp",
                                  "Fenster verbergen", "Beenden"}));
    auto* icon = tray.findChild<QSystemTrayIcon*>();
    emit icon->activated(QSystemTrayIcon::Context);
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(requested, QStringList({"selection", "clipboard", "pause", "stop", "show/hide", "quit", "show/hide"}));

    EXPECT_EQ(icon->toolTip(), "Sprechkit – bereit");
    tray.setSpeaking(true);
    EXPECT_EQ(icon->toolTip(), "Sprechkit – spricht");
    tray.setWindowVisible(false);
    EXPECT_EQ(tray.menu()->actions()[4]->text(), "Fenster zeigen");
    host.kill();
    host.waitForFinished(5000);
}
