#include "base/text/UpperCase.h"

#include <QString>

#include <gtest/gtest.h>

// The vector path upper-cases Latin-1 by rule, eight units a step: every unit, at every place within a step, must
// come out as Qt's own single-unit capital (or unchanged where that lies outside the basic plane).
TEST(UpperCase, EveryUnitAtEveryOffsetGetsItsSingleUnitCapital)
{
    QString all(0x10000, Qt::Uninitialized);
    for (int unit = 0; unit < 0x10000; ++unit)
        all[unit] = QChar(char16_t(unit));
    for (int offset = 0; offset < 8; ++offset) {
        const QString text = QString(offset, QLatin1Char('x')) + all;
        const QString upper = core::upperCopy(text);
        ASSERT_EQ(upper.size(), text.size());
        for (qsizetype i = offset; i < text.size(); ++i) {
            const char32_t capital = QChar::toUpper(char32_t(text[i].unicode()));
            const char16_t expected = capital < 0x10000 ? char16_t(capital) : text[i].unicode();
            ASSERT_EQ(upper[i].unicode(), expected) << "unit " << std::hex << int(text[i].unicode());
        }
    }
}
