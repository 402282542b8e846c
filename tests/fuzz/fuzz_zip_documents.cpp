// The zip and XML kinds (EPUB, ODT, DOCX) on any container: the input is either the container's bytes as they
// are, or the entries of one made here (readable seeds, and XML the fuzzer can reach without a valid checksum).

#include "DocumentCheck.h"

#include "base/documents/DocumentKind.h"
#include "base/documents/DocumentReader.h"
#include "base/documents/ZipMaker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Switches: bit 0: the rest are the container's bytes; otherwise entry names and contents, each ended by the
    // byte 0x1F. Bits 1 and 2: the reader (the kind guessed from the content, EPUB, ODT, DOCX).
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (bytes.isEmpty())
        return 0;
    const quint8 switches = quint8(bytes[0]);
    QByteArray container = bytes.mid(1);
    if (!(switches & 1)) {
        const QByteArrayList parts = container.split('\x1f');
        QList<ZipEntry> entries;
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
            entries.append({QString::fromUtf8(parts[i]), parts[i + 1]});
        container = makeZip(entries, false); // stored: deflating costs more than reading, and raw input inflates
    }
    const documents::Kind kinds[] = {documents::guessKind(container, QString()), documents::Kind::Epub,
                                     documents::Kind::Odt, documents::Kind::Docx};
    checkDocument(documents::readDocument(container, kinds[(switches >> 1) & 3]));
    return 0;
}
