#pragma once

#include <QtGlobal>

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace core {

// The first position at or after from where needle occurs in haystack, comparing UTF-16 units exactly; -1 when
// there is none. An empty needle is found at from. Eight candidate positions are tested at once by their first
// and last unit, so a short needle in a text where it is rare costs little more than reading the text.
inline qsizetype findUnits(const char16_t* haystack, qsizetype size, qsizetype from, const char16_t* needle,
                           qsizetype length)
{
    if (length == 0)
        return from <= size ? from : -1;
    if (from < 0 || length > size - from)
        return -1;
    const qsizetype lastStart = size - length;
    const char16_t first = needle[0];
    const char16_t last = needle[length - 1];
    const auto matchesAt = [&](qsizetype start) {
        return std::memcmp(haystack + start, needle, size_t(length) * sizeof(char16_t)) == 0;
    };
    qsizetype i = from;
#ifdef __SSE2__
    const __m128i firstUnits = _mm_set1_epi16(short(first));
    const __m128i lastUnits = _mm_set1_epi16(short(last));
    for (; i + 7 <= lastStart; i += 8) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i + length - 1));
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(atFirst, firstUnits), _mm_cmpeq_epi16(atLast, lastUnits))));
        while (mask != 0) {
            const int bit = __builtin_ctz(mask);
            const qsizetype start = i + bit / 2;
            if (matchesAt(start))
                return start;
            mask &= ~(3u << bit);
        }
    }
#endif
    for (; i <= lastStart; ++i) {
        if (haystack[i] == first && haystack[i + length - 1] == last && matchesAt(i))
            return i;
    }
    return -1;
}

} // namespace core
