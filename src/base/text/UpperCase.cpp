#include "base/text/UpperCase.h"

#include <QChar>

#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace core {

namespace {

using UpperTable = std::array<char16_t, 0x10000>;

UpperTable makeUpperTable()
{
    UpperTable table{};
    for (char32_t unit = 0; unit < 0x10000; ++unit) {
        const char32_t upper = QChar::toUpper(unit);
        // A unit whose capital lies outside the basic plane would need two units: keep it as it is.
        table[unit] = upper < 0x10000 ? char16_t(upper) : char16_t(unit);
    }
    return table;
}

// One lookup per unit instead of a trip through the Unicode property tables: the preparation pass upper-cases
// every text it touches.
const UpperTable& upperTable()
{
    static const UpperTable table = makeUpperTable();
    return table;
}

} // namespace

char16_t upperUnit(char16_t unit)
{
    return upperTable()[unit];
}

void upperUnits(QStringView source, QChar* out)
{
    const UpperTable& table = upperTable();
    const char16_t* in = source.utf16();
    char16_t* to = reinterpret_cast<char16_t*>(out);
    const qsizetype size = source.size();
    qsizetype i = 0;
#ifdef __SSE2__
    // Eight units a step while they are Latin-1: there the capital is the unit less 0x20 for "a".."z" and
    // U+00E0..U+00FE but U+00F7, and the unit itself otherwise, save U+00B5 and U+00FF, whose capitals lie beyond.
    // Prose is mostly such units; a step holding any other takes the table.
    const __m128i high = _mm_set1_epi16(short(0xFF00));
    const __m128i zero = _mm_setzero_si128();
    const __m128i micro = _mm_set1_epi16(0xB5);
    const __m128i yDiaeresis = _mm_set1_epi16(0xFF);
    const __m128i beforeA = _mm_set1_epi16(u'a' - 1);
    const __m128i afterZ = _mm_set1_epi16(u'z' + 1);
    const __m128i beforeAGrave = _mm_set1_epi16(0xDF);
    const __m128i division = _mm_set1_epi16(0xF7);
    const __m128i caseBit = _mm_set1_epi16(0x20);
    for (; i + 8 <= size; i += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i beyond =
            _mm_or_si128(_mm_xor_si128(_mm_cmpeq_epi16(_mm_and_si128(units, high), zero), _mm_cmpeq_epi16(zero, zero)),
                         _mm_or_si128(_mm_cmpeq_epi16(units, micro), _mm_cmpeq_epi16(units, yDiaeresis)));
        if (_mm_movemask_epi8(beyond) != 0) {
            for (qsizetype k = i; k < i + 8; ++k)
                to[k] = table[in[k]];
            continue;
        }
        // Below 0x100 the signed comparisons order the units as unsigned ones would.
        const __m128i ascii = _mm_and_si128(_mm_cmpgt_epi16(units, beforeA), _mm_cmpgt_epi16(afterZ, units));
        const __m128i latin = _mm_andnot_si128(_mm_cmpeq_epi16(units, division), _mm_cmpgt_epi16(units, beforeAGrave));
        const __m128i lower = _mm_or_si128(ascii, latin);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_sub_epi16(units, _mm_and_si128(lower, caseBit)));
    }
#endif
    for (; i < size; ++i)
        to[i] = table[in[i]];
}

QString upperCopy(QStringView source)
{
    QString result(source.size(), Qt::Uninitialized);
    upperUnits(source, result.data());
    return result;
}

} // namespace core
