// ReadINI on any file with any section and key, and the leading-number conversion of what it returns.

#include "FuzzInput.h"

#include "core/IniFile.h"

#include <QFile>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = fuzzFilePath(QStringLiteral("fuzz.ini"));
    // Switches: bit 0 strips comments. Then the section and the key, each ended by the byte 0x1F, then the
    // file's bytes as they are.
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool stripComments = !bytes.isEmpty() && (bytes[0] & 1);
    const qsizetype sectionEnd = bytes.indexOf('\x1f', 1);
    const qsizetype keyEnd = sectionEnd < 0 ? -1 : bytes.indexOf('\x1f', sectionEnd + 1);
    if (keyEnd < 0)
        return 0;
    const QString section = QString::fromUtf8(bytes.mid(1, sectionEnd - 1));
    const QString key = QString::fromUtf8(bytes.mid(sectionEnd + 1, keyEnd - sectionEnd - 1));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes.mid(keyEnd + 1)) == bytes.size() - keyEnd - 1);
    file.close();

    const QString value = core::ReadINI(path, section, key, stripComments);
    FUZZ_CHECK(value == value.trimmed());
    FUZZ_CHECK(!stripComments || core::ReadINI(path, section, key, false).startsWith(value));
    FUZZ_CHECK(std::isfinite(core::leadingNumber(value)));
    return 0;
}
