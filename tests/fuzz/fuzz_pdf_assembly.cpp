// The PDF text assembly on any words and outline, as Poppler could lay them out.

#include "DocumentCheck.h"

#include "base/documents/PdfTextAssembly.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Records ended by the byte 0x1F: a flag byte (bit 0 a blank follows, bit 1 the line ends, bit 2 a new page
    // begins, bit 3 an outline entry instead of a word), four bytes of position (x, y, width, height; for an
    // outline entry page, top, level), then the text.
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<documents::PdfPage> pages{documents::PdfPage{QSizeF(612, 792), {}}};
    QList<documents::PdfOutlineEntry> outline;
    for (const QByteArray& record : bytes.split('\x1f')) {
        if (record.size() < 5)
            continue;
        const auto byte = [&](int i) { return quint8(record[i]); };
        const QString text = QString::fromUtf8(record.mid(5));
        if (byte(0) & 8) {
            outline.append({text, byte(1) % 8, byte(2) == 255 ? -1.0 : byte(2) / 254.0, byte(3) % 4});
            continue;
        }
        if (byte(0) & 4)
            pages.append(documents::PdfPage{byte(1) == 0 ? QSizeF() : QSizeF(612, 792), {}});
        pages.last().words.append(
            {text, QRectF(byte(1) * 2.4, byte(2) * 3.1, byte(3), byte(4) / 8.0), bool(byte(0) & 1), bool(byte(0) & 2)});
    }
    checkDocument(documents::assemblePdfText(pages, outline));
    return 0;
}
