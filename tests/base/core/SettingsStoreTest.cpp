#include "base/core/SettingsStore.h"
#include "base/core/TestFiles.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>

namespace {

using namespace core::setting;

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path()); }
    QString file() const { return m_config.filePath(QStringLiteral("Sprechkit/Tools.ini")); }
    QByteArray bytes() const { return readFile(file()); }

    QTemporaryDir m_config;
};

// Values that need quoting or escaping, and voice names that need escaping as a group.
const QString kOddValues[] = {"16kHz, 16Bit, Mono", " 8kHz", "a;b=c", "@at", "\"q\" \\ ", "Grüße €\t1\n2", QString()};
const QString kOddVoices[] = {"English 16", "a/b (c)", "Ελληνικά"};

TEST_F(SettingsStoreTest, FilesReadAndWriteLikeThoseOfEarlierVersions)
{
    {
        core::SettingsStore store(QStringLiteral("Tools"));
        for (int i = 0; i < 3; ++i)
            store.setVoiceValue(kFormat, kOddVoices[i], kOddValues[i]);
        store.setValue(kWavePath, kOddValues[3]);
        store.setValue(kWaveFile, kOddValues[4]);
        store.setValue(kDevice, kOddValues[5]);
        store.setValue(kSelected, kOddValues[6]);
        ASSERT_TRUE(store.sync());
    }
    {
        // The program's earlier versions read and wrote the file with QSettings: it writes the same bytes.
        QSettings old(file(), QSettings::IniFormat);
        const QString copy = m_config.filePath(QStringLiteral("copy.ini"));
        {
            QSettings same(copy, QSettings::IniFormat);
            for (const QString& key : old.allKeys())
                same.setValue(key, old.value(key));
        }
        EXPECT_EQ(readFile(copy).toStdString(), bytes().toStdString());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(old.value(QStringLiteral("Sprechkit/Voices/") + QString(kOddVoices[i]).replace('/', "%2F") +
                                QStringLiteral("/Format")),
                      kOddValues[i]);
        EXPECT_EQ(old.value(QStringLiteral("Sprechkit/Wave.Path")), kOddValues[3]);
        EXPECT_EQ(old.value(QStringLiteral("Sprechkit/Wave.File")), kOddValues[4]);
        EXPECT_EQ(old.value(QStringLiteral("Sprechkit/Voices/Device")), kOddValues[5]);
        old.setValue(QStringLiteral("Sprechkit/Check.Secounds"), QStringLiteral("1"));
        old.setValue(QStringLiteral("Sprechkit/Voices/Selected"), kOddValues[0]);
    }
    const core::SettingsStore store(QStringLiteral("Tools"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(store.voiceValue(kFormat, kOddVoices[i]), kOddValues[i]);
    EXPECT_EQ(store.value(kWaveFile), kOddValues[4]);
    EXPECT_EQ(store.value(kCheckSecounds), QStringLiteral("1"));
    EXPECT_EQ(store.value(kSelected, QStringLiteral("x")), kOddValues[0]);
    EXPECT_EQ(store.value(kCheckWords), QStringLiteral("1")); // the table's default
}

TEST_F(SettingsStoreTest, AFailedWriteKeepsTheOldFileWholeAndIsReported)
{
    core::SettingsStore store(QStringLiteral("Tools"));
    store.setValue(kWaveFile, QStringLiteral("alt.wav"));
    ASSERT_TRUE(store.sync());
    const QByteArray old = bytes();

    store.setValue(kWaveFile, QStringLiteral("ein viel längerer Name, der nicht mehr auf die Platte passt.wav"));
    const core::Result failed = onAFullDisk([&] { return store.sync(); });

    EXPECT_TRUE(failed.error().endsWith(QStringLiteral(": File too large"))) << failed.error().toStdString();
    EXPECT_EQ(bytes(), old);
    EXPECT_EQ(QDir(m_config.filePath(QStringLiteral("Sprechkit"))).entryList(QDir::Files),
              QStringList{QStringLiteral("Tools.ini")});
    // The change is kept for the next try.
    EXPECT_TRUE(store.sync());
    EXPECT_TRUE(bytes().contains("nicht mehr auf die Platte"));
}

// A FIFO in place of the file blocked every start: it is not read, and never replaced.
TEST_F(SettingsStoreTest, AFifoInPlaceOfTheFileIsNeitherReadNorReplaced)
{
    QDir().mkpath(QFileInfo(file()).path());
    ASSERT_EQ(mkfifo(QFile::encodeName(file()).constData(), 0600), 0);
    core::SettingsStore store(QStringLiteral("Tools"));
    store.setValue(kWaveFile, QStringLiteral("neu.wav"));
    EXPECT_EQ(store.sync().error(), "The settings were not saved. Cannot read " + file() + ": not a regular file");
    EXPECT_TRUE(QFileInfo(file()).exists() && !QFileInfo(file()).isFile());
}

TEST(SettingsValues, NumbersConvertWithoutLeavingTheIntRange)
{
    EXPECT_EQ(core::storedPixels(kWindowTop, QStringLiteral("1e300")).value(), 16777215);
    EXPECT_EQ(core::storedPixels(kWindowTop, QStringLiteral("-inf")).value(), -16777215);
    EXPECT_EQ(core::storedPixels(kWindowTop, QStringLiteral(" 40.5")).value(), 41);
    for (const char* text : {"nan", "links", ""})
        EXPECT_EQ(core::storedPixels(kWindowLeft, QLatin1String(text)).error(),
                  QStringLiteral("The stored value \"%1\" of \"Window.Left\" is not a number.").arg(text));
    EXPECT_FALSE(core::storedNumber(kWindowTransparency, QStringLiteral("nan")));
    EXPECT_FALSE(core::storedInteger(kWindowState, QStringLiteral("1e10")));

    const std::pair<const char*, int> leading[] = {
        {"1e10", INT_MAX}, {"-1e300", INT_MIN}, {"-0.5", 0}, {"2.5 '", 3}, {"x", 0}, {"1", 1}};
    for (const auto& [text, expected] : leading)
        EXPECT_EQ(core::leadingInteger(QLatin1String(text)), expected) << text;
}

} // namespace
