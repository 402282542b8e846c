#include "base/core/TextDecoding.h"

#include <QStringDecoder>

namespace core {

namespace {

// 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1. Unassigned bytes map to themselves.
constexpr char16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(QByteArrayView bytes)
{
    QString result(bytes.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte));
    }
    return result;
}

} // namespace

QString decodeUtf8OrWindows1252(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (decoded.startsWith(QChar(0xFEFF)))
            decoded.remove(0, 1);
        return decoded;
    }
    return decodeWindows1252(bytes);
}

QString decodeLineUtf8OrWindows1252(QByteArrayView line)
{
    if (!line.isValidUtf8())
        return decodeWindows1252(line);
    // A line is never the start of a file: a U+FEFF at its start is text (QString::fromUtf8 would drop it).
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(line);
}

std::optional<QStringDecoder::Encoding> utf16ByteOrder(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder::Utf16BE;
    return std::nullopt;
}

ResultOf<QString> decodeText(const QByteArray& bytes)
{
    QString text;
    if (const auto byteOrder = utf16ByteOrder(bytes)) {
        // Only the one mark is dropped: a second one is text.
        QStringDecoder utf16(*byteOrder, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        text = utf16.decode(QByteArrayView(bytes).sliced(2));
    } else {
        text = decodeUtf8OrWindows1252(bytes);
    }
    if (text.contains(QChar(u'\0')))
        return Result::failure(QStringLiteral("the content is not text (it holds NUL characters)"));
    return text;
}

} // namespace core
