#include "core/TextDecoding.h"

#include <gtest/gtest.h>

TEST(TextDecoding, Utf8AndWindows1252AreTellApart)
{
    struct Case {
        QByteArray bytes;
        QString expected;
    };
    const Case cases[] = {
        {"Gr\xc3\xbc\xc3\x9f"
         "e \xe2\x82\xac",
         QStringLiteral("Grüße €")}, // valid UTF-8
        {"Gr\xfc\xdf"
         "e \x80",
         QStringLiteral("Grüße €")}, // the same text from Windows
        {"\xef\xbb\xbf"
         "TTS",
         QStringLiteral("TTS")}, // byte-order mark dropped
        {"\x84"
         "Zitat\x93",
         QStringLiteral("„Zitat“")},
        {"", QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::decodeUtf8OrWindows1252(c.bytes), c.expected) << c.bytes.toHex().constData();
}
