// The RTF reader on any bytes.

#include "DocumentCheck.h"

#include "base/documents/RtfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    checkDocument(documents::readRtf(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));
    return 0;
}
