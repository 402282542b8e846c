#include "base/system/Registry.h"
#include "base/core/TestFiles.h"
#include "base/system/FileRegistryStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using sys::RootKey;

TEST(RegistryPath, SplitsRootKeyAndValueName)
{
    const std::tuple<const char*, RootKey, QString, QString> cases[] = {
        {"HKLM\\Software\\Classes\\.!Check", RootKey::LocalMachine, "Software\\Classes", ".!Check"},
        {"  hkcu\\Software\\Classes\\.tts\\  ", RootKey::CurrentUser, "Software\\Classes\\.tts", ""},
        {"HKEY_USERS\\a\\\\b\\c", RootKey::Users, "a", "b\\c"},       // a run of two wins over a later single one
        {"HKCR\\a\\\\b", RootKey::ClassesRoot, "a", "b"},             // a run of two
        {"HKDD\\a\\\\\\b\\\\c", RootKey::DynData, "a", "\\\\b\\\\c"}, // a run of three wins
        {"HKEY_CURRENT_CONFIG\\key", RootKey::CurrentConfig, "key", ""},
        {"HKPD", RootKey::PerformanceData, "", ""},
        {"HKU\\Software\\x", RootKey::None, "Software", "x"}, // no short form
        {"HKEY_Local_Machine \\Software\\x", RootKey::LocalMachine, "Software", "x"},
    };
    for (const auto& [path, root, key, value] : cases) {
        const sys::RegistryPath split = sys::SplitRegistryPath(QString::fromUtf8(path));
        EXPECT_EQ(std::tie(split.root, split.keyPath, split.valueName), std::tie(root, key, value)) << path;
    }
}

TEST(RegistryPath, NulHelpers)
{
    const QChar nul(0);
    EXPECT_EQ(sys::CutAtNul(QStringLiteral("ab") + nul + QStringLiteral("c")), QStringLiteral("ab"));
    EXPECT_EQ(sys::TrimTrailingNuls(QStringLiteral("a") + nul + QStringLiteral("b") + nul + nul),
              QStringLiteral("a") + nul + QStringLiteral("b"));
    EXPECT_EQ(sys::JoinMultiString({QStringLiteral("a"), QString(), QString(nul) + QStringLiteral("x"), 7}),
              QStringLiteral("a") + nul + QStringLiteral("7") + nul);
}

class RegistryTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    sys::FileRegistryStore m_store{m_dir.filePath(QStringLiteral("user")), m_dir.filePath(QStringLiteral("machine"))};
    int m_beeps = 0;
    sys::Registry m_registry{m_store, [this] { ++m_beeps; }};
};

TEST_F(RegistryTest, ValueKindsPickTheTypeAndReadBackUnchanged)
{
    const QString nul(QChar(0));
    const std::tuple<QVariant, int, QVariant> cases[] = {
        {QVariant::fromValue<qint16>(-5), 4, -5},
        {QVariant::fromValue<uchar>(200), 4, 200},
        {QStringLiteral("Grüße 日本 😀"), 1, QStringLiteral("Grüße 日本 😀")},
        {QStringLiteral("vor") + nul + QStringLiteral("nach"), 1, QStringLiteral("vor")},
        {QStringList{QStringLiteral("eins"), QString(), QStringLiteral("zwei ✓")}, 7,
         QStringList{QStringLiteral("eins"), QStringLiteral("zwei ✓")}},
        {QByteArray("\0\1\xff", 3), 3, QByteArray("\0\1\xff", 3)},
        {QVariant(), 1, QString()},
        {true, 1, QStringLiteral("true")},
    };
    for (const auto& [written, type, read] : cases) {
        m_registry.write(QStringLiteral("HKCU\\Software\\Test\\value"), written);
        EXPECT_EQ(m_registry.QueryValueType(RootKey::CurrentUser, "software\\TEST", "VALUE"), type)
            << written.typeName();
        EXPECT_EQ(m_registry.read(QStringLiteral("hkcu\\Software\\Test\\value")), read) << written.typeName();
    }
    // An array of variants is not stored: the old value stays and the beep sounds.
    m_registry.write(QStringLiteral("HKCU\\Software\\Test\\value"), QVariantList{1, 2});
    EXPECT_EQ(m_beeps, 1);
    EXPECT_EQ(m_registry.read(QStringLiteral("HKCU\\Software\\Test\\value")), QVariant(QStringLiteral("true")));
}

TEST_F(RegistryTest, ChangesReplaceTheFileAndAnUnreadableOneIsKept)
{
    m_registry.write(QStringLiteral("HKLM\\Software\\a"), 1);
    const QString file = m_store.fileName(RootKey::LocalMachine);
    const QByteArray before = readFile(file);
    QFile reader(file);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    m_registry.write(QStringLiteral("HKLM\\Software\\b"), 2);
    // A new file is renamed over the old one: a reader that opened it earlier still reads the whole old version.
    EXPECT_EQ(reader.readAll(), before);
    EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files),
              (QStringList{"Registry.json", "Registry.json.lock"}));

    writeFile(file, "{ not json");
    m_registry.write(QStringLiteral("HKLM\\Software\\c"), 3);
    EXPECT_FALSE(m_registry.read(QStringLiteral("HKLM\\Software\\a")).isValid());
    EXPECT_EQ(readFile(file), "{ not json");
    EXPECT_TRUE(m_store.createKey(RootKey::LocalMachine, QStringLiteral("Software\\c"))
                    .error()
                    .startsWith(file + QStringLiteral(" is no registry store: ")));
}

TEST_F(RegistryTest, FailedChangesSayWhy)
{
    ASSERT_TRUE(m_store.createKey(RootKey::CurrentUser, QStringLiteral("Software\\a\\b")).ok());
    writeFile(m_dir.filePath(QStringLiteral("file")), "");
    sys::FileRegistryStore belowAFile(m_dir.filePath(QStringLiteral("file/user")), QString());
    const std::pair<core::Result, QString> cases[] = {
        {m_store.setValue(RootKey::CurrentUser, QStringLiteral("Software\\x"), QStringLiteral("v"), {}),
         QStringLiteral("The key \"Software\\x\" does not exist")},
        {m_store.deleteKey(RootKey::CurrentUser, QStringLiteral("Software\\a")),
         QStringLiteral("The key \"Software\\a\" still has subkeys")},
        {m_store.deleteValue(RootKey::CurrentUser, QStringLiteral("Software\\a"), QStringLiteral("v")),
         QStringLiteral("The value \"v\" does not exist")},
        {m_store.deleteKey(RootKey::CurrentUser, QString()), QStringLiteral("The root key cannot be deleted")},
        {m_store.createKey(RootKey::Users, QStringLiteral("x")), QStringLiteral("No registry store for this root key")},
        {belowAFile.createKey(RootKey::CurrentUser, QStringLiteral("x")),
         QStringLiteral("Cannot create the folder ") + m_dir.filePath(QStringLiteral("file/user"))},
    };
    for (const auto& [result, reason] : cases)
        EXPECT_EQ(result.error(), reason);
}

TEST_F(RegistryTest, TwoWritersAtOnceLoseNothing)
{
    constexpr int kPerWriter = 20;
    const auto writer = [this](const QString& prefix) {
        return QThread::create([this, prefix] {
            sys::FileRegistryStore store(m_dir.filePath(QStringLiteral("user")), QString());
            sys::Registry registry(store);
            for (int i = 0; i < kPerWriter; ++i)
                registry.write(QStringLiteral("HKCU\\Software\\%1\\v%2").arg(prefix).arg(i), i);
        });
    };
    std::unique_ptr<QThread> first(writer(QStringLiteral("first")));
    std::unique_ptr<QThread> second(writer(QStringLiteral("second")));
    first->start();
    second->start();
    first->wait();
    second->wait();
    for (const char* prefix : {"first", "second"})
        for (int i = 0; i < kPerWriter; ++i)
            EXPECT_EQ(m_registry.read(QStringLiteral("HKCU\\Software\\%1\\v%2").arg(prefix).arg(i)), i) << prefix;
}

} // namespace
