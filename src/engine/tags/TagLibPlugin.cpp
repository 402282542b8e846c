#include "engine/tags/TagLibPlugin.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

namespace tags {

namespace {

enum class Kind { Unknown, Mp3, OggVorbis, OggOpus, Flac, Wav, Rf64 };

// A WAV file this close to 4 GiB has no room for another chunk: its sizes would wrap.
constexpr qint64 kWavLimit = 0xFFFFFFFFLL - (1 << 20);

Kind kindOf(const QByteArray& head)
{
    if (head.startsWith("RF64") || head.startsWith("BW64"))
        return Kind::Rf64;
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WAVE")
        return Kind::Wav;
    if (head.startsWith("fLaC"))
        return Kind::Flac;
    if (head.startsWith("OggS")) {
        // The first page holds the codec's identification header.
        if (head.indexOf("OpusHead") > 0)
            return Kind::OggOpus;
        if (head.indexOf("\x01vorbis") > 0)
            return Kind::OggVorbis;
        return Kind::Unknown;
    }
    const bool frameSync = head.size() >= 2 && quint8(head.at(0)) == 0xFF && (quint8(head.at(1)) & 0xE0) == 0xE0;
    if (head.startsWith("ID3") || frameSync)
        return Kind::Mp3;
    return Kind::Unknown;
}

TagLib::String taglibString(const QString& text)
{
    return TagLib::String(text.toStdString(), TagLib::String::UTF8);
}

QString trackText(const audiobook::TagValues& values)
{
    if (values.track <= 0)
        return {};
    return values.trackTotal > 0 ? QStringLiteral("%1/%2").arg(values.track).arg(values.trackTotal)
                                 : QString::number(values.track);
}

void setXiph(TagLib::Ogg::XiphComment* comment, const char* key, const QString& value)
{
    comment->removeFields(key);
    if (!value.isEmpty())
        comment->addField(key, taglibString(value));
}

void fillXiph(TagLib::Ogg::XiphComment* comment, const audiobook::TagValues& values)
{
    setXiph(comment, "TITLE", values.title);
    setXiph(comment, "ALBUM", values.album);
    setXiph(comment, "ARTIST", values.artist);
    setXiph(comment, "TRACKNUMBER", values.track > 0 ? QString::number(values.track) : QString());
    setXiph(comment, "TRACKTOTAL",
            values.track > 0 && values.trackTotal > 0 ? QString::number(values.trackTotal) : QString());
    setXiph(comment, "ENCODER", values.encoder);
}

void setId3(TagLib::ID3v2::Tag* tag, const char* id, const QString& value)
{
    tag->removeFrames(id);
    if (value.isEmpty())
        return;
    // UTF-16: version 2.3, which more players read than 2.4, has no UTF-8.
    auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id, TagLib::String::UTF16);
    frame->setText(taglibString(value));
    tag->addFrame(frame);
}

void setInfo(TagLib::RIFF::Info::Tag* tag, const char* id, const QString& value)
{
    if (value.isEmpty())
        tag->removeField(id);
    else
        tag->setFieldText(id, taglibString(value));
}

std::unique_ptr<TagLib::File> openFile(const QByteArray& path, Kind kind)
{
    const char* name = path.constData();
    switch (kind) {
    case Kind::Mp3:
        return std::make_unique<TagLib::MPEG::File>(name);
    case Kind::OggVorbis:
        return std::make_unique<TagLib::Ogg::Vorbis::File>(name);
    case Kind::OggOpus:
        return std::make_unique<TagLib::Ogg::Opus::File>(name);
    case Kind::Flac:
        return std::make_unique<TagLib::FLAC::File>(name);
    case Kind::Wav:
        return std::make_unique<TagLib::RIFF::WAV::File>(name);
    case Kind::Unknown:
    case Kind::Rf64:
        break;
    }
    return nullptr;
}

// What the audio is as TagLib reads it: length in milliseconds and sample rate; {-1, -1} when it cannot.
std::pair<int, int> audioOf(const TagLib::File* file)
{
    if (!file || !file->isValid() || !file->audioProperties())
        return {-1, -1};
    return {file->audioProperties()->lengthInMilliseconds(), file->audioProperties()->sampleRate()};
}

bool fillAndSave(TagLib::File* file, Kind kind, const audiobook::TagValues& values)
{
    switch (kind) {
    case Kind::Mp3: {
        auto* mp3 = static_cast<TagLib::MPEG::File*>(file);
        TagLib::ID3v2::Tag* tag = mp3->ID3v2Tag(true);
        setId3(tag, "TIT2", values.title);
        setId3(tag, "TALB", values.album);
        setId3(tag, "TPE1", values.artist);
        setId3(tag, "TRCK", trackText(values));
        setId3(tag, "TSSE", values.encoder);
        return mp3->save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone, TagLib::ID3v2::v3,
                         TagLib::File::DoNotDuplicate);
    }
    case Kind::OggVorbis:
    case Kind::OggOpus:
        if (auto* comment = dynamic_cast<TagLib::Ogg::XiphComment*>(file->tag())) {
            fillXiph(comment, values);
            return file->save();
        }
        return false;
    case Kind::Flac:
        fillXiph(static_cast<TagLib::FLAC::File*>(file)->xiphComment(true), values);
        return file->save();
    case Kind::Wav: {
        auto* wav = static_cast<TagLib::RIFF::WAV::File*>(file);
        TagLib::RIFF::Info::Tag* tag = wav->InfoTag();
        setInfo(tag, "INAM", values.title);
        setInfo(tag, "IPRD", values.album);
        setInfo(tag, "IART", values.artist);
        setInfo(tag, "IPRT", trackText(values));
        setInfo(tag, "ISFT", values.encoder);
        return wav->save(TagLib::RIFF::WAV::File::Info, TagLib::File::StripNone);
    }
    case Kind::Unknown:
    case Kind::Rf64:
        break;
    }
    return false;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Copies source into the open file, checking every write.
bool copyInto(QFile& source, QFile& target)
{
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = source.read(block.data(), block.size());
        if (read < 0)
            return false;
        if (read == 0)
            return true;
        if (target.write(block.constData(), read) != read)
            return false;
    }
}

} // namespace

core::Result TagLibPlugin::writeTags(const QString& path, const audiobook::TagValues& values) const
{
    const auto failure = [&](const QString& reason) {
        return core::Result::failure(QStringLiteral("Cannot write the tags of \"%1\": %2").arg(path, reason));
    };
    // Replacing a symbolic link would cut it off from its file: tag the file it points to.
    const QFileInfo asked(path);
    const QString target = asked.isSymLink() ? asked.symLinkTarget() : asked.absoluteFilePath();
    const QByteArray targetName = QFile::encodeName(target);
    struct stat status {};
    if (::stat(targetName.constData(), &status) != 0)
        return failure(systemError());
    if (!S_ISREG(status.st_mode))
        return failure(QStringLiteral("it is not a regular file."));
    // The copy's rename would get round a write protection.
    if (::access(targetName.constData(), W_OK) != 0)
        return failure(QStringLiteral("it is write-protected."));

    QFile source(target);
    if (!source.open(QIODevice::ReadOnly))
        return failure(source.errorString());
    const Kind kind = kindOf(source.read(512));
    if (kind == Kind::Rf64)
        return failure(QStringLiteral("RF64 files cannot hold tags here."));
    if (kind == Kind::Unknown)
        return failure(QStringLiteral("its format is not MP3, Ogg Vorbis, Ogg Opus, FLAC or WAV."));
    if (kind == Kind::Wav && status.st_size > kWavLimit)
        return failure(QStringLiteral("a WAV file this large has no room for them."));

    const std::pair<int, int> audio = audioOf(openFile(targetName, kind).get());
    if (audio.first < 0)
        return failure(QStringLiteral("TagLib cannot read the file."));
    // TagLib does not report a failed write: make sure the copy and its tags fit on the disk.
    struct statvfs disk {};
    if (::statvfs(targetName.constData(), &disk) == 0 &&
        qint64(disk.f_bavail) * qint64(disk.f_frsize) < qint64(status.st_size) + (16 << 20))
        return failure(QStringLiteral("there is not enough room on the disk for a tagged copy."));

    QTemporaryFile copy(QFileInfo(target).absolutePath() + QStringLiteral("/.") + QFileInfo(target).fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!copy.open())
        return failure(copy.errorString());
    if (!source.seek(0) || !copyInto(source, copy) || !copy.flush())
        return failure(copy.errorString().isEmpty() ? source.errorString() : copy.errorString());
    ::fchmod(copy.handle(), status.st_mode & 07777); // the tagged file keeps the permissions
    copy.close();

    const QByteArray copyName = QFile::encodeName(copy.fileName());
    {
        const std::unique_ptr<TagLib::File> file = openFile(copyName, kind);
        if (audioOf(file.get()) != audio || !fillAndSave(file.get(), kind, values))
            return failure(QStringLiteral("TagLib could not save the tags."));
    }
    // The tagged copy must still read as the same audio.
    if (audioOf(openFile(copyName, kind).get()) != audio)
        return failure(QStringLiteral("the tagged copy does not read as the same audio."));
    if (!copy.open())
        return failure(copy.errorString());
    if (::fsync(copy.handle()) != 0)
        return failure(systemError());
    copy.close();
    if (::rename(copyName.constData(), targetName.constData()) != 0)
        return failure(systemError());
    copy.setAutoRemove(false);
    return {};
}

} // namespace tags
