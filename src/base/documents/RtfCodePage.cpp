#include "base/documents/RtfCodePage.h"

#include "base/core/TextDecoding.h"

#include <QStringDecoder>

namespace documents {

namespace {

constexpr int kWindowsLatin1 = 1252;

struct CharsetCodePage {
    int charset;
    int codePage;
};

constexpr CharsetCodePage kCharsets[] = {
    {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},  {136, 950}, {161, 1253}, {162, 1254},
    {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}, {255, 437},
};

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        // A byte of 0x80 or above alone is never UTF-8, so the shared decoder takes it as Windows-1252.
        text += static_cast<unsigned char>(byte) < 0x80 ? QString(QLatin1Char(byte))
                                                        : core::decodeLineUtf8OrWindows1252(QByteArrayView(&byte, 1));
    }
    return text;
}

} // namespace

int codePageOfCharset(int charset, int ansiCodePage)
{
    for (const CharsetCodePage& entry : kCharsets) {
        if (entry.charset == charset)
            return entry.codePage;
    }
    return ansiCodePage;
}

QString decodeCodePage(const QByteArray& bytes, int codePage)
{
    if (codePage == kWindowsLatin1 || codePage <= 0)
        return decodeWindows1252(bytes);
    QByteArray name = codePage == 65001   ? QByteArray("UTF-8")
                      : codePage == 10000 ? QByteArray("macintosh")
                                          : "windows-" + QByteArray::number(codePage);
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(("cp" + QByteArray::number(codePage)).constData());
    if (!decoder.isValid())
        return decodeWindows1252(bytes);
    return decoder.decode(bytes);
}

} // namespace documents
