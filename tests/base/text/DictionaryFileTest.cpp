#include "base/text/DictionaryFile.h"
#include "base/core/RegularFile.h"
#include "base/core/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using text::DictionaryRow;
namespace DictionaryFile = text::DictionaryFile;

DictionaryRow row(const QString& search, const QString& replacement, bool checked)
{
    return {search + text::kEntrySeparator + replacement, checked};
}

class DictionaryFileTest : public ::testing::Test {
protected:
    QString path() const { return m_folder.filePath(QStringLiteral("sprechkit.wrd")); }
    QStringList folderEntries() const
    {
        return QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_folder;
};

} // namespace

TEST_F(DictionaryFileTest, ReadsLines)
{
    const std::tuple<const char*, QByteArray, QList<DictionaryRow>> cases[] = {
        {"active and inactive",
         "Dr.;Doktor;1\r\nDr.;Doktor;0\r\n",
         {row("Dr.", "Doktor", true), row("Dr.", "Doktor", false)}},
        {"flag other than 1",
         "Dr.;Doktor;ja\r\nDr.;Doktor;1 \r\n",
         {row("Dr.", "Doktor", false), row("Dr.", "Doktor", false)}},
        {"escaped separators", "a,,b;c,,d;1", {row("a;b", "c;d", true)}},
        {"further fields ignored", "a;b;1;x", {row("a", "b", true)}},
        {"legacy lines",
         "\"0\",\"Hr.\",\"Herr\"\r\n\"1\",\"Fa.\",\"Firma\"",
         {row("Hr.", "Herr", false), row("Fa.", "Firma", true)}},
        {"legacy line with two fields kept as it stands",
         "\"1\",\"Fa.\"\r\nx;y;1",
         {row("\"1\",\"Fa.\"", "", false), row("x", "y", true)}},
        {"quote, comma, quote inside an entry", "a;x\",\"y;1\r\n", {row("a", "x\",\"y", true)}},
        {"empty lines skipped", "a;b;1\r\n\r\n\r\nc;d;0\r\n", {row("a", "b", true), row("c", "d", false)}},
        {"missing fields empty", "nur\r\na;b\r\n", {row("nur", "", false), row("a", "b", false)}},
        {"LF line ends", "a;b;1\nc;d;1\n", {row("a", "b", true), row("c", "d", true)}},
        // A byte-order mark, a UTF-8 line and a Windows one in the same file.
        {"each line decoded by itself",
         "\xef\xbb\xbf"
         "Gr\xfc\xdf"
         "e;Hallo \x80;1\r\nStra\xc3\x9f"
         "e;Str.;1\r\n",
         {row("Grüße", "Hallo €", true), row("Straße", "Str.", true)}},
        // An editor's "Unicode": UTF-16 with a byte-order mark, in either byte order.
        {"UTF-16LE", utf16("Grüße;Hallo €;1\r\nx;y;0", true), {row("Grüße", "Hallo €", true), row("x", "y", false)}},
        {"UTF-16BE", utf16("Grüße;Hallo €;1\r\n", false), {row("Grüße", "Hallo €", true)}},
    };
    for (const auto& [name, bytes, rows] : cases) {
        writeFile(path(), bytes);
        const DictionaryFile::LoadResult result = DictionaryFile::load(path());
        EXPECT_EQ(result.rows, rows) << name;
        EXPECT_TRUE(result.read && !result.usedDefaults) << name;
    }
}

TEST_F(DictionaryFileTest, WhatIsWrittenReadsBackAsTheSameRows)
{
    // Texts that look like the older form, line breaks (the format has none: they become blanks), a leading
    // byte-order mark, the separator inside a replacement, and ",," (which the format reads as ";").
    const QList<DictionaryRow> rows = {
        row(QStringLiteral("\uFEFFa"), "b", true),  row("\"1\",\"x", "y\",\"z", true), row("a", "x\",\"y", false),
        row("Zeile\r\nzwei", "drei\nvier\r", true), row("Grüße", "x  •  y", true),     row("a;b", "1,,2", false)};
    ASSERT_TRUE(DictionaryFile::save(path(), rows));
    QList<DictionaryRow> expected = rows;
    expected[3] = row("Zeile  zwei", "drei vier ", true);
    expected[5] = row("a;b", "1;2", false);
    EXPECT_EQ(DictionaryFile::load(path()).rows, expected);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("sprechkit.wrd")}); // no temporary file left

    // A mixed file comes back as UTF-8 with every umlaut intact, a legacy line in today's form; a line no form
    // fits is kept.
    writeFile(path(), "Gr\xfc\xdf"
                      "e;Hallo;1\r\n\"1\",\"Fa.\"\r\n\"0\",\"Hr.\",\"Herr\"\r\nStra\xc3\x9f"
                      "e;Str.;0\r\n");
    ASSERT_TRUE(DictionaryFile::save(path(), DictionaryFile::load(path()).rows));
    EXPECT_EQ(readFile(path()), QByteArray("Gr\xc3\xbc\xc3\x9f"
                                           "e;Hallo;1\r\n\"1\",\"Fa.\";;0\r\nHr.;Herr;0\r\nStra\xc3\x9f"
                                           "e;Str.;0\r\n"));
}

TEST_F(DictionaryFileTest, BigFilesAreReadInPiecesWithoutLosingALine)
{
    // Lines of every length from 1 to 40 units, so that the ends of the pieces read fall inside lines, inside
    // characters, between CR and LF, and right after a line end.
    QByteArray bytes;
    QList<DictionaryRow> expected;
    for (int i = 0; bytes.size() < 3 * 1024 * 1024; ++i) {
        const QByteArray search = QByteArray::number(i) + QByteArray(i % 40, 'x');
        bytes += search + ";\xc3\xa4\xf0\x9f\x98\x80;1" + (i % 3 == 0 ? "\n" : "\r\n");
        expected.append(row(QString::fromLatin1(search), "ä😀", true));
    }
    writeFile(path(), bytes);
    EXPECT_EQ(DictionaryFile::load(path()).rows, expected);
    writeFile(path(), utf16(QString::fromUtf8(bytes), true));
    EXPECT_EQ(DictionaryFile::load(path()).rows, expected);
}

TEST_F(DictionaryFileTest, FailedSaveKeepsTheOldFile)
{
    const QByteArray old = "alt;bleibt;1\r\n";
    writeFile(path(), old);
    const QList<DictionaryRow> rows = {row("ein ziemlich langer Eintrag", "der nicht mehr in die Datei passt", true)};

    // Writing breaks off after a few bytes: the old dictionary must survive whole, not truncated.
    const core::Result saved = onAFullDisk([&] { return DictionaryFile::save(path(), rows); });

    // The system's reason, not "Unknown error".
    EXPECT_TRUE(saved.error().endsWith(QStringLiteral(": File too large"))) << saved.error().toStdString();
    EXPECT_EQ(readFile(path()), old);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("sprechkit.wrd")});
}

TEST_F(DictionaryFileTest, WritabilityIsTestedWithoutATraceAndUnwritablePathsAreRefused)
{
    EXPECT_TRUE(DictionaryFile::isWritable(path()));
    EXPECT_TRUE(folderEntries().isEmpty());

    writeFile(path(), "a;b;1\r\n");
    const QDateTime modified = QFileInfo(path()).lastModified();
    EXPECT_TRUE(DictionaryFile::isWritable(path()));
    EXPECT_EQ(QFileInfo(path()).lastModified(), modified);

    const QString underAFile = path() + QStringLiteral("/sub.wrd");
    const QString inMissingFolder = m_folder.filePath(QStringLiteral("fehlt/sprechkit.wrd"));
    for (const QString& target : {underAFile, inMissingFolder, m_folder.path()}) {
        EXPECT_FALSE(DictionaryFile::save(target, {row("x", "y", true)}).error().isEmpty()) << target.toStdString();
        EXPECT_FALSE(DictionaryFile::isWritable(target)) << target.toStdString();
    }
    EXPECT_EQ(readFile(path()), QByteArray("a;b;1\r\n"));
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("sprechkit.wrd")});
}

// A FIFO hung every start and /dev/zero ran out of memory; neither is read, nor an oversized file.
TEST_F(DictionaryFileTest, OnlyARegularFileOfAtMostTheLimitIsRead)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    const QString big = m_folder.filePath(QStringLiteral("big.wrd"));
    QFile sparse(big);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(core::kMaxDictionaryBytes + 1));
    for (const auto& [file, reason] : {std::pair{path(), "not a regular file"},
                                       {QStringLiteral("/dev/zero"), "not a regular file"},
                                       {big, "the file is larger than 256 MB"}}) {
        const DictionaryFile::LoadResult loaded = DictionaryFile::load(file);
        EXPECT_EQ(loaded.read.error(), QStringLiteral("Cannot read %1: %2").arg(file, reason));
    }
}
