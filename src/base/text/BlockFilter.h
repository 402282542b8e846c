#pragma once

// Helpers shared by the two halves of RewriteEngine: the per-block filter of units, pairs and triples.

#include <QString>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace text::rewrite {

constexpr char16_t kBlank = u' ';
constexpr char16_t kNoUnit = 0xFFFF; // a noncharacter: fills the unused places of single units and pairs

constexpr int kGramBits = 15; // the filter holds 2^kGramBits bits
constexpr int kGramShift = 32 - kGramBits;

// A gram's bit: the top bits of the sum (by xor) of its units, each times the factor of its place.
constexpr quint32 kFirstFactor = 0x9E3779B1u;
constexpr quint32 kSecondFactor = 0x85EBCA6Bu;
constexpr quint32 kThirdFactor = 0xC2B2AE35u;

inline quint32 gramBit(char16_t a, char16_t b, char16_t c)
{
    return ((quint32(a) * kFirstFactor) ^ (quint32(b) * kSecondFactor) ^ (quint32(c) * kThirdFactor)) >> kGramShift;
}

template <typename Filter> inline void setBit(Filter& filter, quint32 bit)
{
    filter[bit >> 6] |= quint64(1) << (bit & 63);
}

// The grams wholly inside a replacement's upper-cased units, the same wherever it is written: as words of the
// filter with their bits, in ascending order, so that adding them to a filter reads each word once and walks
// forward through it. A long replacement reaches most words of a filter.
inline std::vector<std::pair<quint32, quint64>> gramsWithin(QStringView upperView)
{
    std::vector<quint32> bits;
    const char16_t* upper = upperView.utf16();
    const qsizetype size = upperView.size();
    for (qsizetype i = 0; i < size; ++i) {
        bits.push_back(gramBit(upper[i], kNoUnit, kNoUnit));
        if (i + 1 < size)
            bits.push_back(gramBit(upper[i], upper[i + 1], kNoUnit));
        if (i + 2 < size)
            bits.push_back(gramBit(upper[i], upper[i + 1], upper[i + 2]));
    }
    std::sort(bits.begin(), bits.end());
    std::vector<std::pair<quint32, quint64>> words;
    for (const quint32 bit : bits) {
        if (words.empty() || words.back().first != bit >> 6)
            words.emplace_back(bit >> 6, 0);
        words.back().second |= quint64(1) << (bit & 63);
    }
    return words;
}

// Records the pairs and triples that a replacement of `with` units (possibly none) written at `at` brought together
// with the units around it: those that start before it and reach into it (or past it), and those that start in it
// and reach past its end. Together with gramsWithin these are all the grams the replacement adds.
template <typename Filter>
inline void addJoinedGrams(Filter& filter, const char16_t* upper, qsizetype size, qsizetype at, qsizetype with)
{
    const auto add = [&](qsizetype start, qsizetype length) {
        if (start >= 0 && start + length <= size)
            setBit(filter, gramBit(upper[start], upper[start + 1], length == 3 ? upper[start + 2] : kNoUnit));
    };
    add(at - 2, 3);
    add(at - 1, 2);
    add(at - 1, 3);
    if (with >= 2)
        add(at + with - 2, 3);
    if (with >= 1) {
        add(at + with - 1, 2);
        add(at + with - 1, 3);
    }
}

// The filter bits that a match of the pattern lying inside one block sets: its triples, or its pair, or its unit.
inline std::vector<quint32> patternBits(QStringView upperView)
{
    const char16_t* upper = upperView.utf16();
    const qsizetype size = upperView.size();
    std::vector<quint32> bits;
    if (size == 1)
        bits.push_back(gramBit(upper[0], kNoUnit, kNoUnit));
    else if (size == 2)
        bits.push_back(gramBit(upper[0], upper[1], kNoUnit));
    for (qsizetype i = 0; i + 2 < size; ++i)
        bits.push_back(gramBit(upper[i], upper[i + 1], upper[i + 2]));
    return bits;
}

// A 64-bit summary of the unit pairs of a needle, to rule out most block ends before comparing anything.
inline quint64 pairMaskBit(char16_t a, char16_t b)
{
    return quint64(1) << (((quint32(a) * kFirstFactor) ^ (quint32(b) * kSecondFactor)) >> 26);
}

inline quint64 pairMask(QStringView needle)
{
    quint64 mask = 0;
    for (qsizetype i = 0; i + 1 < needle.size(); ++i)
        mask |= pairMaskBit(needle[i].unicode(), needle[i + 1].unicode());
    return mask;
}

inline const char16_t* units(const QString& text)
{
    return QStringView(text).utf16();
}

} // namespace text::rewrite
