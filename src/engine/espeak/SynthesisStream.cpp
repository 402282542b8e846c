#include "engine/espeak/SynthesisStream.h"

namespace speech::synthesisstream {

namespace {

// Far above what one synthesizer buffer holds: larger counts mean a broken stream, not a reason to allocate.
constexpr qint32 kMaxSamples = 1 << 22;
constexpr qint32 kMaxEvents = 1 << 16;
constexpr qint32 kMaxText = 1 << 16;

template <typename T> bool put(std::FILE* out, const T& value)
{
    return std::fwrite(&value, sizeof value, 1, out) == 1;
}

bool putText(std::FILE* out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8().left(kMaxText);
    return put(out, qint32(utf8.size())) &&
           std::fwrite(utf8.constData(), 1, size_t(utf8.size()), out) == size_t(utf8.size());
}

template <typename T> bool get(const ReadExactly& read, T& value)
{
    return read(reinterpret_cast<char*>(&value), sizeof value);
}

bool getText(const ReadExactly& read, QString& text)
{
    qint32 size = 0;
    if (!get(read, size) || size < 0 || size > kMaxText)
        return false;
    QByteArray utf8(size, Qt::Uninitialized);
    if (!read(utf8.data(), size_t(size)))
        return false;
    text = QString::fromUtf8(utf8);
    return true;
}

Record broken(const QString& why)
{
    Record record;
    record.kind = RecordKind::Error;
    record.error = why;
    record.broken = true;
    return record;
}

} // namespace

bool writeChunk(std::FILE* out, const qint16* samples, int count, const std::vector<RawEvent>& events)
{
    bool ok = put(out, RecordKind::Chunk) && put(out, qint32(count)) && put(out, qint32(events.size()));
    for (const RawEvent& e : events) {
        ok = ok && put(out, quint8(e.kind)) && put(out, qint64(e.sample)) && put(out, qint32(e.textPosition)) &&
             put(out, qint32(e.length)) && putText(out, e.name);
    }
    return ok && (count == 0 || std::fwrite(samples, sizeof(qint16), size_t(count), out) == size_t(count));
}

bool writeEnd(std::FILE* out)
{
    return put(out, RecordKind::End) && std::fflush(out) == 0;
}

bool writeError(std::FILE* out, const QString& reason)
{
    return put(out, RecordKind::Error) && putText(out, reason) && std::fflush(out) == 0;
}

Record readRecord(const ReadExactly& read)
{
    Record record;
    if (!get(read, record.kind))
        return broken(QStringLiteral("its output ended early"));
    switch (record.kind) {
    case RecordKind::End:
        return record;
    case RecordKind::Error:
        if (!getText(read, record.error))
            return broken(QStringLiteral("its output ended early"));
        return record;
    case RecordKind::Chunk:
        break;
    default:
        return broken(QStringLiteral("its output is garbled"));
    }
    qint32 count = 0, events = 0;
    if (!get(read, count) || !get(read, events))
        return broken(QStringLiteral("its output ended early"));
    if (count < 0 || count > kMaxSamples || events < 0 || events > kMaxEvents)
        return broken(QStringLiteral("its output is garbled"));
    record.events.resize(size_t(events));
    for (RawEvent& e : record.events) {
        quint8 kind = 0;
        qint64 sample = 0;
        qint32 position = 0, length = 0;
        if (!get(read, kind) || !get(read, sample) || !get(read, position) || !get(read, length) ||
            !getText(read, e.name))
            return broken(QStringLiteral("its output ended early"));
        if (kind > quint8(RawEvent::Kind::End))
            return broken(QStringLiteral("its output is garbled"));
        e.kind = RawEvent::Kind(kind);
        e.sample = sample;
        e.textPosition = position;
        e.length = length;
    }
    record.samples.resize(size_t(count));
    if (count > 0 && !read(reinterpret_cast<char*>(record.samples.data()), size_t(count) * sizeof(qint16)))
        return broken(QStringLiteral("its output ended early"));
    return record;
}

} // namespace speech::synthesisstream
