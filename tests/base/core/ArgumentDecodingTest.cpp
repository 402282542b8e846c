#include "base/core/ArgumentDecoding.h"
#include "base/core/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

TEST(ArgumentDecoding, ScriptNameThatIsNotUtf8IsFoundInsteadOfMissing)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray latin1 = "caf\xe9.tts"; // "café.tts" from a Latin-1 system
    FILE* file = std::fopen((folder + latin1).constData(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("[Program]\r\nText = Hallo\r\n", file);
    std::fclose(file);

    const QStringList decoded = core::decodeArguments({folder + latin1, "@" + latin1, "Gr\xfc\xdf"}, folder);
    for (int i : {0, 1})
        EXPECT_EQ(core::ReadINI(decoded[i], "Program", "Text", true), "Hallo") << decoded[i].toStdString();
    EXPECT_EQ(decoded[2], QString::fromUtf8("Grüß")); // a text typed in a Latin-1 terminal
    ::unlink((folder + latin1).constData());          // QTemporaryDir cannot spell its name to remove it
}
