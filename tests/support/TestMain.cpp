#include "base/system/FileAssociation.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // Widgets need a platform; tests never need a real display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The start-up writes the user's .tts association: into folders of the test run, without the database tools.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    sys::setDatabaseRefreshForTesting([](const QList<QStringList>&) {});
    // A window offers its remote actions on the session bus: never on the user's own.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    QApplication application(argc, argv);
    QCoreApplication::addLibraryPath(QStringLiteral(SPRECHKIT_PLUGIN_DIR));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
