#include "base/system/StartProcedure.h"
#include "base/core/TestFiles.h"
#include "base/system/FileRegistryStore.h"
#include "base/system/Registry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(StartProcedure, AdministratorOnlyWhenTheMachineStoreCanBeWritten)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("file")), "");
    // Machine store folder, installed copy, then the expected administrator and machine-control flags.
    const std::tuple<QString, bool, bool, bool> cases[] = {
        {dir.filePath(QStringLiteral("machine")), true, true, false},
        {dir.filePath(QStringLiteral("file/machine")), false, false, false}, // below a file: not even root writes
        {dir.filePath(QStringLiteral("file/machine")), true, false, true},
    };
    for (const auto& [machineFolder, installed, admin, machineControl] : cases) {
        sys::FileRegistryStore store(dir.filePath(QStringLiteral("user")), machineFolder);
        sys::Registry registry(store);
        const sys::StartFlags flags = sys::checkStart(registry, installed);
        EXPECT_EQ(std::pair(flags.isAdminRun, flags.machineControlInUse), std::pair(admin, machineControl))
            << machineFolder.toStdString();
        // The test value never stays behind.
        EXPECT_FALSE(registry.read(QStringLiteral("HKLM\\Software\\Classes\\.!Check")).isValid());
    }
}

TEST(StartProcedure, ValueLeftInAReadOnlyStoreDoesNotMakeAnAdministrator)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders; run as another user to check this";
    QTemporaryDir dir;
    const QString machine = dir.filePath(QStringLiteral("machine"));
    {
        sys::FileRegistryStore store(QString(), machine);
        sys::Registry(store).write(QStringLiteral("HKLM\\Software\\Classes\\.!Check"), QStringLiteral("OK"));
    }
    ASSERT_TRUE(QFile::setPermissions(machine, QFile::ReadOwner | QFile::ExeOwner));
    sys::FileRegistryStore store(QString(), machine);
    sys::Registry registry(store);
    EXPECT_FALSE(sys::checkStart(registry, false).isAdminRun);
    QFile::setPermissions(machine, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
