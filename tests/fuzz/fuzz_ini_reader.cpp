// ReadINI on any file with any section and key, and the leading-number conversion of what it returns.

#include "FuzzInput.h"

#include "base/core/IniFile.h"

#include <QFile>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = fuzzFilePath(QStringLiteral("fuzz.ini"));
    // Switches: bit 0 strips comments. Then the section and the key, each ended by the byte 0x1F, then the
    // file's bytes as they are.
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArrayList parts = bytes.mid(1).split('\x1f');
    if (parts.size() < 3)
        return 0;
    const bool stripComments = bytes[0] & 1;
    const QString section = QString::fromUtf8(parts[0]), key = QString::fromUtf8(parts[1]);
    const QByteArray content = parts.mid(2).join('\x1f');
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();

    const QString value = core::ReadINI(path, section, key, stripComments);
    FUZZ_CHECK(value == value.trimmed());
    FUZZ_CHECK(!stripComments || core::ReadINI(path, section, key, false).startsWith(value));
    FUZZ_CHECK(std::isfinite(core::leadingNumber(value)));
    return 0;
}
