#include "base/core/ProcessEnvironment.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

// Without HOME (or with "/") a root run wrote its settings to /.config: the user database names the home folder.
TEST(ProcessEnvironment, WithoutAUsableHomeTheUserDatabaseNamesIt)
{
    const passwd* user = getpwuid(geteuid());
    const QByteArray home = user ? QByteArray(user->pw_dir) : QByteArray();
    if (home.isEmpty() || home == "/" || !QFileInfo(QString::fromLocal8Bit(home)).isDir())
        GTEST_SKIP() << "the user database names no home folder for this user";
    const QByteArray saved = qgetenv("HOME");
    const std::pair<const char*, QByteArray> cases[] = {
        {nullptr, home}, {"", home}, {"/", home}, {"//.", home}, {"/tmp/anderswo", "/tmp/anderswo"}};
    for (const auto& [given, expected] : cases) {
        given ? qputenv("HOME", given) : qunsetenv("HOME");
        EXPECT_TRUE(core::repairProcessEnvironment());
        EXPECT_EQ(qgetenv("HOME"), expected);
    }
    qputenv("HOME", saved);
}
