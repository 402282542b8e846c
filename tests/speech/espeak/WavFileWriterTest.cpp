#include "speech/espeak/WavFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <csignal>
#include <sys/resource.h>

namespace {

class WavFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile old(path("keep.wav"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("the previous file") > 0);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void expectOnlyTheOldFile() const
    {
        QFile file(path("keep.wav"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == "the previous file");
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.wav"});
    }

    QTemporaryDir m_dir;
    std::vector<qint16> m_samples = std::vector<qint16>(256 * 1024, 1000);
};

TEST_F(WavFileWriterTest, FailedRenderKeepsThePreviousFile)
{
    for (const bool fullDisk : {true, false}) {
        speech::WavFileWriter writer;
        ASSERT_TRUE(writer.open(path("keep.wav"), 16000));
        if (fullDisk) { // a file size limit fails the writes as a full disk would (EFBIG, SIGXFSZ ignored)
            const auto handler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit previous{};
            getrlimit(RLIMIT_FSIZE, &previous);
            const rlimit limit{100 * 1024, previous.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limit);
            (void)writer.write(m_samples.data(), qint64(m_samples.size())); // close() reports it again
            const bool closed = writer.close().ok();
            setrlimit(RLIMIT_FSIZE, &previous);
            std::signal(SIGXFSZ, handler);
            EXPECT_FALSE(closed);
        } else { // a stream that broke off (the synthesizer failed) must not be closed over the old file
            ASSERT_TRUE(writer.write(m_samples.data(), qint64(m_samples.size())));
            writer.fail(QStringLiteral("The audio cannot be converted to 16000 Hz."));
            EXPECT_EQ(writer.close().error(), QStringLiteral("The audio cannot be converted to 16000 Hz."));
        }
        expectOnlyTheOldFile();
    }
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

} // namespace
