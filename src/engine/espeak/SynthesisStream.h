#pragma once

#include "engine/espeak/RawEvent.h"

#include <QString>

#include <cstdio>
#include <functional>
#include <vector>

namespace speech {

// The byte stream a synthesis helper process writes and the program reads: the synthesizer's raw output, one
// record per synthesizer buffer, in the order it came, then an end or an error record. Both ends are this
// program on one machine, so numbers are in the machine's own byte order.
namespace synthesisstream {

enum class RecordKind : quint8 { Chunk = 'C', End = 'E', Error = 'X' };

struct Record {
    RecordKind kind = RecordKind::End;
    std::vector<RawEvent> events; // Chunk: the buffer's events, before its audio
    std::vector<qint16> samples;  // Chunk
    QString error;                // Error: why the helper could not synthesize
    bool broken = false;          // Error: the stream itself broke off or is garbled
};

bool writeChunk(std::FILE* out, const qint16* samples, int count, const std::vector<RawEvent>& events);
bool writeEnd(std::FILE* out);
bool writeError(std::FILE* out, const QString& reason);

// Reads exactly size bytes; false at the end of the stream.
using ReadExactly = std::function<bool(char* data, size_t size)>;
// The next record; an error record when the stream breaks off or holds nonsense.
Record readRecord(const ReadExactly& read);

} // namespace synthesisstream

} // namespace speech
