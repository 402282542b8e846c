#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#if defined(__x86_64__) && defined(__GNUC__)
#define SPRECHKIT_UNIT_SEARCH_AVX2 1
#include <immintrin.h>
#endif

namespace core {

namespace detail {

inline bool unitsMatchAt(const char16_t* haystack, qsizetype start, const char16_t* needle, qsizetype length)
{
    return std::memcmp(haystack + start, needle, size_t(length) * sizeof(char16_t)) == 0;
}

// Tests the candidates whose first and last units match (a bit pair per unit in mask, from position i on).
inline qsizetype firstMatchIn(unsigned mask, qsizetype i, const char16_t* haystack, const char16_t* needle,
                              qsizetype length)
{
    while (mask != 0) {
        const int bit = __builtin_ctz(mask);
        const qsizetype start = i + bit / 2;
        if (unitsMatchAt(haystack, start, needle, length))
            return start;
        mask &= ~(3u << bit);
    }
    return -1;
}

#ifdef SPRECHKIT_UNIT_SEARCH_AVX2
// Sixteen candidate positions a step; returns the position reached when no match was found there.
__attribute__((target("avx2"))) inline qsizetype findUnitsAvx2(const char16_t* haystack, qsizetype from,
                                                               qsizetype lastStart, const char16_t* needle,
                                                               qsizetype length, qsizetype* found)
{
    // The middle unit as a third test: in prose the first and last units of a word often match together.
    const qsizetype middle = length / 2;
    const __m256i firstUnits = _mm256_set1_epi16(short(needle[0]));
    const __m256i middleUnits = _mm256_set1_epi16(short(needle[middle]));
    const __m256i lastUnits = _mm256_set1_epi16(short(needle[length - 1]));
    qsizetype i = from;
    for (; i + 15 <= lastStart; i += 16) {
        const __m256i atFirst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(haystack + i));
        const __m256i atMiddle = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(haystack + i + middle));
        const __m256i atLast = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(haystack + i + length - 1));
        const __m256i both =
            _mm256_and_si256(_mm256_cmpeq_epi16(atFirst, firstUnits), _mm256_cmpeq_epi16(atLast, lastUnits));
        const unsigned mask =
            unsigned(_mm256_movemask_epi8(_mm256_and_si256(both, _mm256_cmpeq_epi16(atMiddle, middleUnits))));
        if (mask != 0) {
            const qsizetype at = firstMatchIn(mask, i, haystack, needle, length);
            if (at >= 0) {
                *found = at;
                return i;
            }
        }
    }
    *found = -1;
    return i;
}

// A unit as _mm256_packus_epi16 narrows it to a byte: below 0 (as a signed 16-bit value) 0, above 255 255.
inline char packedByte(char16_t unit)
{
    return char(unit >= 0x8000 ? 0 : unit > 0xFF ? 0xFF : unit);
}

inline bool sameUnits(const char16_t* a, const char16_t* b, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

// Every match that does not overlap the one before, into starts. Thirty-two candidate positions a step, tested by
// the bytes their first and last units narrow to (two vectors of units packed into one of bytes), then compared in
// full. Returns the position reached; *next is where the next match may start.
__attribute__((target("avx2"))) inline qsizetype findAllUnitsAvx2(const char16_t* haystack, qsizetype from,
                                                                  qsizetype lastStart, const char16_t* needle,
                                                                  qsizetype length, std::vector<qsizetype>& starts,
                                                                  qsizetype* next)
{
    const __m256i firstBytes = _mm256_set1_epi8(packedByte(needle[0]));
    const __m256i lastBytes = _mm256_set1_epi8(packedByte(needle[length - 1]));
    qsizetype allowed = from;
    qsizetype i = from;
    while (i + 31 <= lastStart) {
        const __m256i* first = reinterpret_cast<const __m256i*>(haystack + i);
        const __m256i* last = reinterpret_cast<const __m256i*>(haystack + i + length - 1);
        const __m256i atFirst = _mm256_packus_epi16(_mm256_loadu_si256(first), _mm256_loadu_si256(first + 1));
        const __m256i atLast = _mm256_packus_epi16(_mm256_loadu_si256(last), _mm256_loadu_si256(last + 1));
        unsigned mask = unsigned(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(atFirst, firstBytes), _mm256_cmpeq_epi8(atLast, lastBytes))));
        // Packing works per 128-bit lane: the bytes hold positions 0-7, 16-23, 8-15, 24-31 in that order.
        mask = (mask & 0xFF0000FFu) | ((mask & 0x0000FF00u) << 8) | ((mask & 0x00FF0000u) >> 8);
        while (mask != 0) {
            const qsizetype start = i + __builtin_ctz(mask);
            mask &= mask - 1;
            if (start >= allowed && sameUnits(haystack + start, needle, length)) {
                starts.push_back(start);
                allowed = start + length;
            }
        }
        i = std::max(i + 32, allowed);
    }
    *next = allowed;
    return i;
}

inline bool hasAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#endif

} // namespace detail

// The first position at or after from where needle occurs in haystack, comparing UTF-16 units exactly; -1 when
// there is none. An empty needle is found at from. Candidate positions are tested sixteen (AVX2) or eight (SSE2)
// at once by their first and last unit, so a short needle in a text where it is rare costs little more than
// reading the text.
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
    qsizetype i = from;
#ifdef SPRECHKIT_UNIT_SEARCH_AVX2
    if (detail::hasAvx2()) {
        qsizetype found = -1;
        i = detail::findUnitsAvx2(haystack, i, lastStart, needle, length, &found);
        if (found >= 0)
            return found;
    }
#endif
#ifdef __SSE2__
    const __m128i firstUnits = _mm_set1_epi16(short(first));
    const __m128i lastUnits = _mm_set1_epi16(short(last));
    for (; i + 7 <= lastStart; i += 8) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack + i + length - 1));
        const unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(atFirst, firstUnits), _mm_cmpeq_epi16(atLast, lastUnits))));
        if (mask != 0) {
            const qsizetype at = detail::firstMatchIn(mask, i, haystack, needle, length);
            if (at >= 0)
                return at;
        }
    }
#endif
    for (; i <= lastStart; ++i) {
        if (haystack[i] == first && haystack[i + length - 1] == last &&
            detail::unitsMatchAt(haystack, i, needle, length))
            return i;
    }
    return -1;
}

// Every occurrence of needle at or after from that does not overlap an earlier one, left to right, appended to
// starts: one pass over the text instead of a search per occurrence. Returns the position behind the last
// occurrence, or from when there is none. needle must not be empty.
inline qsizetype findAllUnits(const char16_t* haystack, qsizetype size, qsizetype from, const char16_t* needle,
                              qsizetype length, std::vector<qsizetype>& starts)
{
    if (length <= 0)
        return from;
    qsizetype pos = from;
    qsizetype behind = from;
#ifdef SPRECHKIT_UNIT_SEARCH_AVX2
    if (detail::hasAvx2() && from >= 0 && length <= size - from) {
        const qsizetype reached =
            detail::findAllUnitsAvx2(haystack, from, size - length, needle, length, starts, &behind);
        pos = std::max(reached, behind);
    }
#endif
    for (qsizetype at; (at = findUnits(haystack, size, pos, needle, length)) >= 0;) {
        starts.push_back(at);
        pos = behind = at + length;
    }
    return behind;
}

} // namespace core
