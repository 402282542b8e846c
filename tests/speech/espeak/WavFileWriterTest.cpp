#include "speech/espeak/WavFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <vector>

namespace {

class WavFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QFile old(path("keep.wav"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the previous file");
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray contents(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir m_dir;
    std::vector<qint16> m_samples = std::vector<qint16>(64 * 1024, 1000);
};

TEST_F(WavFileWriterTest, WriteFailingHalfWayKeepsThePreviousFile)
{
    // A file size limit stands in for a full disk: writes past it fail (SIGXFSZ ignored, they return EFBIG).
    speech::WavFileWriter writer;
    QString error;
    ASSERT_TRUE(writer.open(path("keep.wav"), 16000, &error)) << error.toStdString();
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = 100 * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    for (int i = 0; i < 4; ++i)
        writer.write(m_samples.data(), qint64(m_samples.size()));
    const bool closed = writer.close(&error);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(closed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contents("keep.wav"), "the previous file");
    EXPECT_EQ(files(), QStringList{"keep.wav"});
}

TEST_F(WavFileWriterTest, DiscardedOrUnfinishedRenderKeepsThePreviousFile)
{
    {
        speech::WavFileWriter discarded;
        ASSERT_TRUE(discarded.open(path("keep.wav"), 16000, nullptr));
        discarded.write(m_samples.data(), qint64(m_samples.size()));
        discarded.discard();
        speech::WavFileWriter neverClosed;
        ASSERT_TRUE(neverClosed.open(path("keep.wav"), 16000, nullptr));
        neverClosed.write(m_samples.data(), qint64(m_samples.size()));
    }
    EXPECT_EQ(contents("keep.wav"), "the previous file");
    EXPECT_EQ(files(), QStringList{"keep.wav"});

    speech::WavFileWriter finished;
    ASSERT_TRUE(finished.open(path("keep.wav"), 16000, nullptr));
    finished.write(m_samples.data(), qint64(m_samples.size()));
    ASSERT_TRUE(finished.close(nullptr));
    EXPECT_TRUE(contents("keep.wav").startsWith("RIFF"));
    EXPECT_EQ(files(), QStringList{"keep.wav"});
}

TEST_F(WavFileWriterTest, NameWithACharacterAFileNameCannotHoldIsRefusedNotCut)
{
    const QString names[] = {
        path("keep.wav") + QChar(0) + ".wav",      // was cut at the NUL and overwrote keep.wav
        path("x") + QChar(0xD800) + ".wav",        // a lone surrogate has no spelling on disk
        path("a") + QChar(0) + "/../keep.wav.wav", // nor can a NUL reach another folder
    };
    for (const QString& name : names) {
        speech::WavFileWriter writer;
        QString error;
        EXPECT_FALSE(writer.open(name, 16000, &error));
        EXPECT_TRUE(error.contains("cannot hold")) << error.toStdString();
    }
    EXPECT_EQ(contents("keep.wav"), "the previous file");
    EXPECT_EQ(files(), QStringList{"keep.wav"});
}

TEST_F(WavFileWriterTest, WavBecomesRf64OnlyWhenItsDataOutgrowsTheWavHeader)
{
    // A lowered limit stands in for the 4 GiB a WAV header can count; past it the header used to wrap round.
    constexpr qint64 Limit = 1 << 20;
    std::vector<qint16> ramp(3 * Limit / 2 / 2);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = qint16(i * 7);
    const struct {
        qint64 samples;
        int format;
    } cases[] = {{Limit / 2 / 2, SF_FORMAT_WAV}, {Limit / 2, SF_FORMAT_WAV}, {qint64(ramp.size()), SF_FORMAT_RF64}};
    for (const auto& c : cases) {
        speech::WavFileWriter writer;
        writer.setWavDataLimit(Limit);
        QString error;
        ASSERT_TRUE(writer.open(path("big.wav"), 48000, &error)) << error.toStdString();
        for (qint64 at = 0; at < c.samples; at += 10000)
            ASSERT_TRUE(writer.write(ramp.data() + at, std::min<qint64>(10000, c.samples - at), &error));
        ASSERT_TRUE(writer.close(&error)) << error.toStdString();

        SF_INFO info{};
        SNDFILE* file = sf_open(QFile::encodeName(path("big.wav")).constData(), SFM_READ, &info);
        ASSERT_NE(file, nullptr);
        std::vector<qint16> back(size_t(info.frames));
        sf_read_short(file, back.data(), info.frames);
        sf_close(file);
        EXPECT_EQ(info.format, c.format | SF_FORMAT_PCM_16) << c.samples;
        EXPECT_EQ(info.samplerate, 48000);
        EXPECT_TRUE(std::equal(back.begin(), back.end(), ramp.begin(), ramp.begin() + c.samples)) << c.samples;
        EXPECT_EQ(qint64(back.size()), c.samples);
        if (c.format == SF_FORMAT_WAV) { // the plain 44-byte header of every smaller file stays
            EXPECT_EQ(QFileInfo(path("big.wav")).size(), 44 + 2 * c.samples);
        }
        EXPECT_EQ(files(), (QStringList{"big.wav", "keep.wav"}));
    }
}

} // namespace
