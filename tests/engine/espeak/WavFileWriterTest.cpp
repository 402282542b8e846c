#include "engine/espeak/WavFileWriter.h"
#include "base/core/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

#ifdef __SANITIZE_ADDRESS__
// libsndfile's Ogg Vorbis encoder leaks its state (Vorbis and Ogg) when writes fail; it runs on the writer's encoder
// thread, out of reach of a scoped disabler in the test.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libvorbis.so\nleak:libogg.so\n";
}
#endif

namespace {

class WavFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override { writeFile(path("keep.wav"), "the previous file"); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void expectOnlyTheOldFile(const QString& name = QStringLiteral("keep.wav")) const
    {
        EXPECT_EQ(readFile(path(name)), QByteArray("the previous file")) << name.toStdString();
        EXPECT_EQ(QDir(m_dir.path()).entryList({".sprechkit-*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    QTemporaryDir m_dir;
    std::vector<qint16> m_samples = std::vector<qint16>(256 * 1024, 1000);
};

// A full disk broke off an MP3 file, yet it was closed without an error over the old file.
TEST_F(WavFileWriterTest, FailedRenderKeepsThePreviousFileInEveryFormat)
{
    for (const QString name : {"keep.wav", "keep.mp3", "keep.flac", "keep.ogg", "keep.opus"}) {
        writeFile(path(name), "the previous file");
        speech::WavFileWriter writer;
        ASSERT_TRUE(writer.open(path(name), 16000));
        const core::Result closed = onAFullDisk([&] {
            (void)writer.write(m_samples.data(), qint64(m_samples.size())); // close() reports it again
            return writer.close();
        });
        EXPECT_TRUE(closed.error().contains("File too large")) << closed.error().toStdString();
        expectOnlyTheOldFile(name);
    }
    // A stream that broke off (the synthesizer failed) must not be closed over the old file either.
    speech::WavFileWriter writer;
    ASSERT_TRUE(writer.open(path("keep.wav"), 16000) && writer.write(m_samples.data(), qint64(m_samples.size())));
    writer.fail(QStringLiteral("The audio cannot be converted to 16000 Hz."));
    EXPECT_EQ(writer.close().error(), QStringLiteral("The audio cannot be converted to 16000 Hz."));
    expectOnlyTheOldFile();
}

// The encoder runs behind the synthesis: a save cancelled while audio still waits for it leaves no part file.
TEST_F(WavFileWriterTest, ACancelledRenderLeavesThePreviousFileWhileTheEncoderIsBusy)
{
    for (const QString name : {"keep.wav", "keep.mp3", "keep.opus"}) {
        writeFile(path(name), "the previous file");
        speech::WavFileWriter writer;
        ASSERT_TRUE(writer.open(path(name), 16000));
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(writer.write(m_samples.data(), qint64(m_samples.size())));
        writer.discard();
        EXPECT_FALSE(writer.write(m_samples.data(), 1));
        expectOnlyTheOldFile(name);
    }
}

// Opus decoders drop the encoder's delay (the pre-skip) at the start and the last frame's padding at the end (the last
// granule position): the file must give back exactly the samples written, where they were written.
TEST_F(WavFileWriterTest, AnOpusFileDecodesToExactlyTheSamplesWritten)
{
    // Rate, samples: nothing, one, less than a 20 ms frame, several Ogg pages ending in part of a frame.
    const std::pair<int, qint64> cases[] = {{24000, 0}, {24000, 1}, {24000, 479}, {24000, 72017}, {48000, 96005}};
    for (const auto& [rate, count] : cases) {
        std::vector<qint16> tone(size_t(count), 0); // rising from 200 Hz, so no shift matches it with itself
        for (size_t i = 0; i < tone.size(); ++i) {
            const double t = double(i) / rate;
            tone[i] = qint16(8000 * std::sin(2 * M_PI * (200 + 600 * t) * t));
        }
        speech::WavFileWriter writer;
        ASSERT_TRUE(writer.open(path("a.opus"), rate) && writer.write(tone.data(), count) && writer.close()) << count;

        SF_INFO info{};
        SNDFILE* file = sf_open(QFile::encodeName(path("a.opus")).constData(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << count << ": " << sf_strerror(nullptr);
        std::vector<qint16> back(size_t(info.frames));
        back.resize(size_t(sf_readf_short(file, back.data(), info.frames)));
        sf_close(file);
        EXPECT_EQ(info.samplerate, rate);
        EXPECT_EQ(qint64(back.size()), count) << rate;
        if (count < rate || qint64(back.size()) != count)
            continue;
        // A wrong pre-skip shifts the tone by the encoder's delay, some hundred samples; the codec's own filters
        // leave it a few off, less than 0.15 ms.
        const auto match = [&](int shift) {
            double sum = 0;
            for (qint64 i = rate / 10; i < rate * 6 / 10; ++i)
                sum += double(tone[size_t(i)]) * back[size_t(i + shift)];
            return sum;
        };
        int best = 0;
        for (int shift = -400; shift <= 400; ++shift)
            best = match(shift) > match(best) ? shift : best;
        EXPECT_LE(std::abs(best), rate / 8000) << rate;
    }
}

// The headers are written when the file is opened: a disk that is full by then fails the open.
TEST_F(WavFileWriterTest, AnOpusFileOnAFullDiskIsNotOpened)
{
    writeFile(path("keep.opus"), "the previous file");
    speech::WavFileWriter writer;
    const core::Result opened = onAFullDisk([&] { return writer.open(path("keep.opus"), 24000); });
    EXPECT_TRUE(opened.error().contains("File too large")) << opened.error().toStdString();
    EXPECT_FALSE(writer.isOpen());
    expectOnlyTheOldFile("keep.opus");
}

TEST_F(WavFileWriterTest, NameWithACharacterAFileNameCannotHoldIsRefusedNotCut)
{
    for (const QString& name : {path("keep.wav") + QChar(0) + ".wav", path("x") + QChar(0xD800) + ".wav"}) {
        const core::Result opened = speech::WavFileWriter().open(name, 16000);
        EXPECT_TRUE(opened.error().contains("cannot hold")) << opened.error().toStdString();
    }
    expectOnlyTheOldFile();
}

TEST_F(WavFileWriterTest, WavBecomesRf64OnlyWhenItsDataOutgrowsTheWavHeader)
{
    // A lowered limit stands in for the 4 GiB a WAV header can count; past them its sizes used to wrap round.
    constexpr qint64 Limit = 1 << 18; // bytes
    for (size_t i = 0; i < m_samples.size(); ++i)
        m_samples[i] = qint16(i * 7);
    for (const auto& [samples, format] : {std::pair{Limit / 4, SF_FORMAT_WAV}, std::pair{Limit, SF_FORMAT_RF64}}) {
        speech::WavFileWriter writer;
        writer.setWavDataLimit(Limit);
        ASSERT_TRUE(writer.open(path("big.wav"), 48000));
        for (qint64 at = 0; at < samples; at += 10000)
            ASSERT_TRUE(writer.write(m_samples.data() + at, std::min<qint64>(10000, samples - at)));
        ASSERT_TRUE(writer.close());

        SF_INFO info{};
        SNDFILE* file = sf_open(QFile::encodeName(path("big.wav")).constData(), SFM_READ, &info);
        ASSERT_NE(file, nullptr);
        std::vector<qint16> back(size_t(info.frames));
        sf_read_short(file, back.data(), info.frames);
        sf_close(file);
        EXPECT_EQ(info.format, format | SF_FORMAT_PCM_16);
        EXPECT_TRUE(qint64(back.size()) == samples && std::equal(back.begin(), back.end(), m_samples.begin()));
    }
}

// Part files of killed renders stayed for ever. Only this program's own, old, regular ones of this user go.
TEST_F(WavFileWriterTest, AnOpenRemovesStalePartFilesOfThisProgramOnly)
{
    const bool root = ::geteuid() == 0;
    const timespec old = {::time(nullptr) - 2 * 24 * 3600, 0}, times[2] = {old, old};
    // Name, last written two days ago, removed. "...1" is another user's when run as root, "...2" a link.
    const std::tuple<const char*, bool, bool> cases[] = {
        {".sprechkit-0123abcd.part", true, true},  {".sprechkit-0123abce.part", false, false},
        {".sprechkit-0123ABCD.part", true, false}, {"x.sprechkit-0123abcd.part", true, false},
        {".sprechkit-00000001.part", true, !root}, {".sprechkit-00000002.part", true, false}};
    for (const auto& [name, stale, removed] : cases) {
        const QByteArray file = QFile::encodeName(path(name));
        ASSERT_TRUE(file.endsWith("2.part") ? QFile::link(path("keep.wav"), path(name))
                                            : QFile(path(name)).open(QIODevice::WriteOnly));
        ASSERT_TRUE(!root || !file.endsWith("1.part") || ::lchown(file.constData(), 4242, 4242) == 0);
        ASSERT_TRUE(!stale || ::utimensat(AT_FDCWD, file.constData(), times, AT_SYMLINK_NOFOLLOW) == 0);
    }
    EXPECT_TRUE(speech::WavFileWriter().open(path("new.wav"), 16000));
    for (const auto& [name, stale, removed] : cases)
        EXPECT_EQ(QFileInfo(path(name)).exists() || QFileInfo(path(name)).isSymLink(), !removed) << name;
}

// A root run wrote through a link that another user had left in a shared folder, into any file. A link of this
// user or of the folder's owner is still followed: the file it names is replaced, the link kept.
TEST_F(WavFileWriterTest, ALinkIsFollowedOnlyWhenItsOwnerIsThisUserOrTheFoldersOwner)
{
    const QString link = path("gruss.wav");
    ASSERT_TRUE(QFile::link(path("keep.wav"), link));
    const uid_t me = ::geteuid();
    // Owners of folder and link: a third user's link in another user's folder, the folder owner's, this user's.
    const std::tuple<uid_t, uid_t, bool> cases[] = {{4242, 4343, false}, {4242, 4242, true}, {me, me, true}};
    for (const auto& [folderOwner, linkOwner, followed] : cases) {
        if (me != 0 && linkOwner != me)
            continue; // only root can give files away
        ASSERT_TRUE(::chown(QFile::encodeName(m_dir.path()).constData(), folderOwner, folderOwner) == 0 &&
                    ::lchown(QFile::encodeName(link).constData(), linkOwner, linkOwner) == 0);
        speech::WavFileWriter writer;
        const core::Result opened = writer.open(link, 16000);
        EXPECT_EQ(opened.error().contains("so it is not followed"), !followed) << opened.error().toStdString();
        if (!followed) {
            expectOnlyTheOldFile();
            continue;
        }
        ASSERT_TRUE(writer.write(m_samples.data(), 1000) && writer.close());
        EXPECT_TRUE(QFileInfo(link).isSymLink() && QFileInfo(path("keep.wav")).size() == 44 + 2000);
    }
}

} // namespace
