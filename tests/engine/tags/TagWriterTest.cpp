#include "engine/tags/TagWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// A second of a tone, made by libsndfile.
bool writeTone(const QString& path, int format, int rate)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<short> samples(static_cast<size_t>(rate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = short(8000 * std::sin(2 * M_PI * 440 * double(i) / rate));
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

QString qs(const TagLib::String& s)
{
    return QString::fromStdString(s.to8Bit(true));
}

// The tag fields as the format stores them, "ID=value" sorted.
QStringList fieldsOf(const QString& path, const QString& kind)
{
    const QByteArray name = QFile::encodeName(path);
    QStringList fields;
    if (kind == "mp3") {
        TagLib::MPEG::File file(name.constData());
        if (file.ID3v2Tag())
            for (const auto& [id, frames] : file.ID3v2Tag()->frameListMap())
                for (const TagLib::ID3v2::Frame* frame : frames)
                    fields.append(QString::fromLatin1(id.data(), int(id.size())) + u'=' + qs(frame->toString()));
    } else if (kind == "wav") {
        TagLib::RIFF::WAV::File file(name.constData());
        for (const auto& [id, value] : file.InfoTag()->fieldListMap())
            fields.append(QString::fromLatin1(id.data(), int(id.size())) + u'=' + qs(value));
    } else {
        std::unique_ptr<TagLib::File> file;
        if (kind == "flac")
            file = std::make_unique<TagLib::FLAC::File>(name.constData());
        else if (kind == "opus")
            file = std::make_unique<TagLib::Ogg::Opus::File>(name.constData());
        else
            file = std::make_unique<TagLib::Ogg::Vorbis::File>(name.constData());
        TagLib::Ogg::XiphComment* comment = kind == "flac" ? static_cast<TagLib::FLAC::File*>(file.get())->xiphComment()
                                                           : dynamic_cast<TagLib::Ogg::XiphComment*>(file->tag());
        if (comment)
            for (const auto& [key, values] : comment->fieldListMap())
                for (const TagLib::String& value : values)
                    fields.append(qs(key) + u'=' + qs(value));
    }
    fields.sort();
    return fields;
}

struct TagCase {
    const char* kind;
    int format;
    int rate;
    QStringList expected; // the fields; empty: the writer refuses and leaves the file as it was
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

    EXPECT_EQ(result.ok(), !c.expected.isEmpty()) << c.kind << ": " << result.error().toStdString();
    EXPECT_EQ(framesOf(path), before) << c.kind;
    if (c.expected.isEmpty()) {
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        EXPECT_EQ(original.readAll(), bytes) << c.kind;
    } else {
        EXPECT_EQ(fieldsOf(path, c.kind), c.expected) << c.kind;
    }
    EXPECT_EQ(QFile::permissions(path), permissions) << c.kind;
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(path).fileName()});
}

const QStringList kXiph = {"ALBUM=Das Buch",          "ARTIST=Anna",   "ENCODER=Sprechkit 1.00",
                           "TITLE=Kapitel 2 – Äpfel", "TRACKNUMBER=2", "TRACKTOTAL=3"};

INSTANTIATE_TEST_SUITE_P(Formats, TagWriter,
                         ::testing::Values(TagCase{"mp3",
                                                   SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III,
                                                   22050,
                                                   {"TALB=Das Buch", "TIT2=Kapitel 2 – Äpfel", "TPE1=Anna", "TRCK=2/3",
                                                    "TSSE=Sprechkit 1.00"}},
                                           TagCase{"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, kXiph},
                                           TagCase{"opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000, kXiph},
                                           TagCase{"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 22050, kXiph},
                                           TagCase{"wav",
                                                   SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                                                   22050,
                                                   {"IART=Anna", "INAM=Kapitel 2 – Äpfel", "IPRD=Das Buch", "IPRT=2/3",
                                                    "ISFT=Sprechkit 1.00"}},
                                           TagCase{"rf64", SF_FORMAT_RF64 | SF_FORMAT_PCM_16, 22050, {}}),
                         [](const ::testing::TestParamInfo<TagCase>& row) { return std::string(row.param.kind); });

} // namespace
