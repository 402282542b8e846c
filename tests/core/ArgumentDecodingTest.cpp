#include "core/ArgumentDecoding.h"
#include "core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

TEST(ArgumentDecoding, ScriptNameThatIsNotUtf8IsFoundInsteadOfMissing)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray latin1Name = "caf\xe9.tts"; // "café.tts" from a Latin-1 system
    QFile file(QFile::decodeName(folder) + "placeholder");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Program]\r\nText = Hallo\r\n");
    file.close();
    ASSERT_EQ(::rename(QFile::encodeName(file.fileName()).constData(), (folder + latin1Name).constData()), 0);

    const QStringList decoded = core::decodeArguments({folder + latin1Name, "@" + latin1Name,
                                                       "Gr\xfc\xdf"
                                                       "e",
                                                       "Grüße", folder + "fehlt\xe9.tts"},
                                                      folder);
    ASSERT_EQ(decoded.size(), 5);
    for (int i : {0, 1}) {
        EXPECT_TRUE(decoded[i].endsWith(QString::fromUtf8("caf\xef\xbf\xbd.tts"))) << decoded[i].toStdString();
        EXPECT_EQ(core::ReadINI(decoded[i], "Program", "Text", true), "Hallo") << i;
    }
    EXPECT_EQ(decoded[2], QString::fromUtf8("Grüße")); // a text from a Latin-1 terminal
    EXPECT_EQ(decoded[3], QString::fromUtf8("Grüße"));
    EXPECT_EQ(decoded[4], QFile::decodeName(folder) + QString::fromUtf8("fehlté.tts"));
    ::unlink((folder + latin1Name).constData()); // QTemporaryDir cannot spell its name to remove it
}

} // namespace
