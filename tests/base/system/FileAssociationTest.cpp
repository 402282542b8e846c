#include "base/system/FileAssociation.h"
#include "base/core/TestFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FileAssociationTest : public ::testing::Test {
protected:
    sys::FileAssociation association(const QString& program)
    {
        sys::AssociationFolders folders{
            m_dir.filePath("data"), m_dir.filePath("config"), {m_dir.filePath("etc")}, {m_dir.filePath("usr")}};
        return sys::FileAssociation(program, folders, QByteArray("<svg/>"),
                                    [this](const QList<QStringList>& commands) { m_refreshes.append(commands); });
    }

    QTemporaryDir m_dir;
    QList<QList<QStringList>> m_refreshes;
};

TEST_F(FileAssociationTest, FirstStartWritesAllSecondNothingMovedProgramItsEntry)
{
    const auto first = association(QStringLiteral("/opt/sk/sprechkit"));
    EXPECT_EQ(first.check().size(), 4);
    EXPECT_TRUE(readFile(first.desktopEntryPath()).contains("Exec=\"/opt/sk/sprechkit\" %f\n"));
    EXPECT_TRUE(readFile(first.mimePackagePath()).contains("<glob pattern=\"*.tts\"/>"));
    EXPECT_EQ(readFile(first.iconPath()), "<svg/>");
    EXPECT_EQ(readFile(first.mimeappsPath()),
              "[Default Applications]\ntext/x-sprechkit-script=sprechkit-tts.desktop;\n");
    ASSERT_EQ(m_refreshes.size(), 1);
    EXPECT_EQ(m_refreshes[0].size(), 2); // the MIME and the desktop database

    // Once the databases exist, a second start from the same place changes nothing, not even a file's time.
    writeFile(m_dir.filePath("data/mime/mime.cache"), "");
    writeFile(m_dir.filePath("data/applications/mimeinfo.cache"), "");
    QMap<QString, QPair<QByteArray, QDateTime>> before;
    for (const QString& path :
         {first.desktopEntryPath(), first.mimePackagePath(), first.iconPath(), first.mimeappsPath()})
        before[path] = {readFile(path), QFileInfo(path).lastModified()};
    EXPECT_TRUE(first.check().isEmpty());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        EXPECT_EQ(readFile(it.key()), it->first);
        EXPECT_EQ(QFileInfo(it.key()).lastModified(), it->second);
    }
    EXPECT_EQ(m_refreshes.size(), 1);

    const auto moved = association(QStringLiteral("/home/a b/100%/\"$x`\\sk"));
    EXPECT_EQ(moved.check(), QStringList{moved.desktopEntryPath()});
    EXPECT_TRUE(readFile(moved.desktopEntryPath()).contains(R"(Exec="/home/a b/100%%/\\"\\$x\\`\\\\sk" %f)"));
    EXPECT_TRUE(association(QStringLiteral("/tmp/line\nbreak")).check().isEmpty());
}

TEST_F(FileAssociationTest, ADefaultSetElsewhereIsLeftAloneAndOtherEntriesKept)
{
    writeFile(m_dir.filePath("usr/applications/mimeapps.list"),
              "[Default Applications]\ntext/x-sprechkit-script=other.desktop;\n");
    const auto elsewhere = association(QStringLiteral("/opt/sk/sprechkit"));
    elsewhere.check();
    EXPECT_FALSE(QFile::exists(elsewhere.mimeappsPath()));
    EXPECT_TRUE(QFile::exists(elsewhere.desktopEntryPath())); // the entry is written all the same

    QFile::remove(m_dir.filePath("usr/applications/mimeapps.list"));
    writeFile(elsewhere.mimeappsPath(), "[Added Associations]\ntext/plain=vim.desktop;\n\n[Default Applications]\n"
                                        "image/png=eog.desktop;");
    elsewhere.check();
    EXPECT_EQ(readFile(elsewhere.mimeappsPath()),
              "[Added Associations]\ntext/plain=vim.desktop;\n\n[Default Applications]\n"
              "text/x-sprechkit-script=sprechkit-tts.desktop;\nimage/png=eog.desktop;");
}

} // namespace
