#include "base/core/ProgramLocation.h"
#include "base/core/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(ProgramLocation, SplitsThePathIntoFolderStemAndName)
{
    // Path, then folder, stem and name. A dot in a folder name is no extension of the program; without one the
    // whole name is the stem.
    const QStringList cases[] = {
        {"/opt/sprech.kit/sprechkit.bin", "/opt/sprech.kit/", "/opt/sprech.kit/sprechkit.", "sprechkit."},
        {"/opt/a.b/sprechkit", "/opt/a.b/", "/opt/a.b/sprechkit.", "sprechkit."},
        {"/opt/x/sprech.kit.exe", "/opt/x/", "/opt/x/sprech.kit.", "sprech.kit."},
        {"sprechkit.exe", "", "sprechkit.", "sprechkit."},
    };
    for (const QStringList& c : cases) {
        core::setExePathForTesting(c[0]);
        EXPECT_EQ(QStringList({core::GetExePath(), core::GetExeDir(), core::GetExeStem(), core::GetExeName()}), c);
    }
    core::setExePathForTesting({});
    EXPECT_EQ(core::GetExePath(), QCoreApplication::applicationFilePath());
    EXPECT_TRUE(core::GetExeDir().endsWith('/'));
}

TEST(ProgramLocation, InstalledCopyKeepsTheUsersFilesInItsDataFolder)
{
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
    const QString share = dir.filePath("usr/share/sprechkit/");
    ASSERT_TRUE(QDir().mkpath(share) && QDir().mkpath(dir.filePath("usr/bin")) && QDir().mkpath(dir.filePath("copy")));
    writeFile(share + "sprechkit.wrd", "TTS;Text-To-Speech;1\r\n");
    QFile::setPermissions(share + "sprechkit.wrd", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    core::setExePathForTesting(dir.filePath("usr/bin/sprechkit"));
    EXPECT_TRUE(core::isInstalledCopy());
    EXPECT_EQ(core::GetDataStem(), dir.filePath("data/sprechkit/sprechkit."));
    core::prepareDataDir();
    QFile seeded(core::GetDataStem() + "wrd");
    ASSERT_TRUE(seeded.open(QIODevice::ReadWrite)); // the user's copy is writable
    EXPECT_EQ(seeded.readAll(), "TTS;Text-To-Speech;1\r\n");
    seeded.resize(0);
    seeded.close();
    core::prepareDataDir(); // seeded on the first start only: the user's edits stay
    EXPECT_EQ(QFileInfo(seeded).size(), 0);

    // A copy in a writable folder keeps everything beside it; one in a read-only folder is an installed copy.
    core::setExePathForTesting(dir.filePath("copy/sprechkit"));
    EXPECT_FALSE(core::isInstalledCopy());
    EXPECT_EQ(core::GetDataDir(), dir.filePath("copy/"));
    if (geteuid() != 0) {
        QFile::setPermissions(dir.filePath("copy"), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(core::GetDataDir(), dir.filePath("data/sprechkit/"));
        QFile::setPermissions(dir.filePath("copy"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    core::setExePathForTesting({});
}

} // namespace
