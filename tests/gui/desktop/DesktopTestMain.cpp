#include "e2e/VirtualDisplay.h"

#include <QApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

// The desktop tests run as an X11 client of an X server of their own and on a session bus of their own, so that
// grabs, selections, the tray and the bus name meet no other program. Listing the tests needs neither.
int main(int argc, char* argv[])
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    std::unique_ptr<VirtualDisplay> display;
    QProcess bus;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!listing) {
        display = std::make_unique<VirtualDisplay>();
        if (!display->display().isEmpty()) {
            qputenv("DISPLAY", display->display().toLocal8Bit());
            qputenv("QT_QPA_PLATFORM", "xcb");
        }
        bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (bus.waitForStarted(5000) && bus.waitForReadyRead(5000))
            qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
        else
            qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent"); // never the user's own bus
    }
    int result = 0;
    {
        QApplication application(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    bus.terminate();
    bus.waitForFinished(5000);
    return result;
}
