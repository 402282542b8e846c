#include "system/FileAssociation.h"

#include <QDateTime>
#include <QDir>
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
    QByteArray read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QString& path, const QByteArray& content) const
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir m_dir;
    QList<QList<QStringList>> m_refreshes;
};

TEST_F(FileAssociationTest, FirstStartWritesAllSecondNothingMovedProgramItsEntry)
{
    const auto first = association(QStringLiteral("/opt/sk/sprechkit"));
    EXPECT_EQ(first.check().size(), 4);
    EXPECT_TRUE(read(first.desktopEntryPath()).contains("Exec=\"/opt/sk/sprechkit\" %f\n"));
    EXPECT_TRUE(read(first.mimePackagePath()).contains("<glob pattern=\"*.tts\"/>"));
    EXPECT_EQ(read(first.iconPath()), "<svg/>");
    EXPECT_EQ(read(first.mimeappsPath()), "[Default Applications]\ntext/x-sprechkit-script=sprechkit-tts.desktop;\n");
    ASSERT_EQ(m_refreshes.size(), 1);
    EXPECT_EQ(m_refreshes[0].size(), 2); // the MIME and the desktop database

    // Once the databases exist, a second start from the same place changes nothing, not even a file's time.
    write(m_dir.filePath("data/mime/mime.cache"), "");
    write(m_dir.filePath("data/applications/mimeinfo.cache"), "");
    QMap<QString, QPair<QByteArray, QDateTime>> before;
    for (const QString& path :
         {first.desktopEntryPath(), first.mimePackagePath(), first.iconPath(), first.mimeappsPath()})
        before[path] = {read(path), QFileInfo(path).lastModified()};
    EXPECT_TRUE(first.check().isEmpty());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        EXPECT_EQ(read(it.key()), it->first);
        EXPECT_EQ(QFileInfo(it.key()).lastModified(), it->second);
    }
    EXPECT_EQ(m_refreshes.size(), 1);

    const auto moved = association(QStringLiteral("/home/a b/100%/\"$x`\\sk"));
    EXPECT_EQ(moved.check(), QStringList{moved.desktopEntryPath()});
    EXPECT_TRUE(read(moved.desktopEntryPath()).contains(R"(Exec="/home/a b/100%%/\\"\\$x\\`\\\\sk" %f)"));
    EXPECT_TRUE(association(QStringLiteral("/tmp/line\nbreak")).check().isEmpty());
}

TEST_F(FileAssociationTest, ADefaultSetElsewhereIsLeftAloneAndOtherEntriesKept)
{
    write(m_dir.filePath("usr/applications/mimeapps.list"),
          "[Default Applications]\ntext/x-sprechkit-script=other.desktop;\n");
    const auto elsewhere = association(QStringLiteral("/opt/sk/sprechkit"));
    elsewhere.check();
    EXPECT_FALSE(QFile::exists(elsewhere.mimeappsPath()));
    EXPECT_TRUE(QFile::exists(elsewhere.desktopEntryPath())); // the entry is written all the same

    QFile::remove(m_dir.filePath("usr/applications/mimeapps.list"));
    write(elsewhere.mimeappsPath(), "[Added Associations]\ntext/plain=vim.desktop;\n\n[Default Applications]\n"
                                    "image/png=eog.desktop;");
    elsewhere.check();
    EXPECT_EQ(read(elsewhere.mimeappsPath()),
              "[Added Associations]\ntext/plain=vim.desktop;\n\n[Default Applications]\n"
              "text/x-sprechkit-script=sprechkit-tts.desktop;\nimage/png=eog.desktop;");
}

} // namespace
