#include "engine/tags/TagWriter.h"
#include "engine/espeak/WavFileWriter.h"

#include "base/system/PluginLoader.h"
#include "engine/pdf/PdfPlugin.h"
#include "engine/tags/TagPlugin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>
#include <taglib/fileref.h>
#include <taglib/infotag.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>

#include <cmath>
#include <vector>

namespace {

// A second of a tone, made by libsndfile; Opus by the program's own encoder, which libsndfile does not use.
bool writeTone(const QString& path, int format, int rate)
{
    std::vector<short> samples(static_cast<size_t>(rate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = short(8000 * std::sin(2 * M_PI * 440 * double(i) / rate));
    if (format == (SF_FORMAT_OGG | SF_FORMAT_OPUS)) {
        speech::WavFileWriter writer;
        return writer.open(path, rate) && writer.write(samples.data(), rate) && writer.close();
    }
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const bool written = sf_writef_short(file, samples.data(), sf_count_t(samples.size())) == sf_count_t(rate);
    return sf_close(file) == 0 && written;
}

std::vector<short> framesOf(const QString& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<short> frames(size_t(info.frames * info.channels));
    frames.resize(size_t(sf_readf_short(file, frames.data(), info.frames) * info.channels));
    sf_close(file);
    return frames;
}

// The fields as TagLib reads them back; a WAV file's INFO chunk as it is, since the generic reading of it leaves
// out the encoder.
QString fieldsOf(const QString& path)
{
    if (path.endsWith(".wav")) {
        const TagLib::RIFF::WAV::File wav(QFile::encodeName(path).constData());
        QStringList fields;
        for (const auto& [id, value] : wav.InfoTag()->fieldListMap())
            fields.append(QString::fromLatin1(id.data(), int(id.size())) + u'=' + value.to8Bit(true).c_str());
        return fields.join(u'\n') + u'\n';
    }
    const TagLib::FileRef file(QFile::encodeName(path).constData());
    return file.isNull() ? QString() : QString::fromStdString(file.file()->properties().toString().to8Bit(true));
}

struct TagCase {
    const char* kind;
    int format;
    int rate;
    const char* expected; // the fields; empty: the writer refuses and leaves the file as it was
};

class TagWriter : public ::testing::TestWithParam<TagCase> {};

TEST_P(TagWriter, WritesTheFormatsOwnTagsAndLeavesTheAudioAsItWas)
{
    const TagCase& c = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kapitel.") + c.kind);
    ASSERT_TRUE(writeTone(path, c.format, c.rate)) << c.kind << ": " << sf_strerror(nullptr);
    const std::vector<short> before = framesOf(path);
    ASSERT_EQ(before.size(), size_t(c.rate)) << c.kind;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QFile::Permissions permissions = QFile::permissions(path);
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();

    const audiobook::TagValues values{"Kapitel 2 – Äpfel", "Das Buch", "Anna", 2, 3, "Sprechkit 1.00"};
    const core::Result result = tags::writeTags(path, values);

    EXPECT_EQ(result.ok(), *c.expected != 0) << c.kind << ": " << result.error().toStdString();
    EXPECT_EQ(framesOf(path), before) << c.kind;
    if (*c.expected == 0) {
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        EXPECT_EQ(original.readAll(), bytes) << c.kind;
    } else {
        EXPECT_EQ(fieldsOf(path).toStdString(), c.expected) << c.kind;
    }
    EXPECT_EQ(QFile::permissions(path), permissions) << c.kind;
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(path).fileName()});
}

const char* const kXiph =
    "ALBUM=Das Buch\nARTIST=Anna\nENCODER=Sprechkit 1.00\nTITLE=Kapitel 2 – Äpfel\nTRACKNUMBER=2\nTRACKTOTAL=3\n";

INSTANTIATE_TEST_SUITE_P(
    Formats, TagWriter,
    ::testing::Values(
        TagCase{"mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 22050,
                "ALBUM=Das Buch\nARTIST=Anna\nENCODING=Sprechkit 1.00\nTITLE=Kapitel 2 – Äpfel\nTRACKNUMBER=2/3\n"},
        TagCase{"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, kXiph},
        TagCase{"opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000, kXiph},
        TagCase{"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 22050, kXiph},
        TagCase{"wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050,
                "IART=Anna\nINAM=Kapitel 2 – Äpfel\nIPRD=Das Buch\nIPRT=2/3\nISFT=Sprechkit 1.00\n"},
        TagCase{"rf64", SF_FORMAT_RF64 | SF_FORMAT_PCM_16, 22050, ""}),
    [](const ::testing::TestParamInfo<TagCase>& row) { return std::string(row.param.kind); });

} // namespace

// Tags come from a plugin: a plugin that is missing, or is of another kind, is refused with its name.
TEST(PluginLoader, LoadsAPluginOnceAndNamesTheOneItCannotUse)
{
    const auto first = sys::loadPluginAs<tags::TagPlugin>(tags::kTagPluginName);
    ASSERT_TRUE(first) << first.error().toStdString();
    const auto again = sys::loadPluginAs<tags::TagPlugin>(tags::kTagPluginName);
    ASSERT_TRUE(again);
    EXPECT_EQ(first.value(), again.value());

    struct Case {
        QString name;
        bool pdf;
        QString error;
    };
    for (const Case& test : {Case{"sprechkit-nothing", false, "The plugin sprechkit-nothing cannot be loaded: "},
                             Case{tags::kTagPluginName, true, "The plugin sprechkit-tags is of another kind."}}) {
        const QString error = test.pdf ? sys::loadPluginAs<documents::PdfPlugin>(test.name).error()
                                       : sys::loadPluginAs<tags::TagPlugin>(test.name).error();
        EXPECT_TRUE(error.startsWith(test.error)) << error.toStdString();
    }
}
