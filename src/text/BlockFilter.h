#pragma once

// Helpers shared by the two halves of RewriteEngine: the per-block filter of units, pairs and triples.

#include <QString>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace text::rewrite {

constexpr char16_t kBlank = u' ';
constexpr char16_t kNoUnit = 0xFFFF; // a noncharacter: fills the unused places of single units and pairs

constexpr int kGramBits = 14; // the filter holds 2^kGramBits bits
constexpr int kGramShift = 32 - kGramBits;

inline quint32 gramBit(char16_t a, char16_t b, char16_t c)
{
    return ((quint32(a) * 0x9E3779B1u) ^ (quint32(b) * 0x85EBCA6Bu) ^ (quint32(c) * 0xC2B2AE35u)) >> kGramShift;
}

template <typename Filter> inline void setBit(Filter& filter, quint32 bit)
{
    filter[bit >> 6] |= quint64(1) << (bit & 63);
}

// Records the single unit, the pair and the triple that start at each position in [from, to) of an upper-cased
// text of the given size (pairs and triples only where they fit).
template <typename Filter>
inline void addGrams(Filter& filter, const char16_t* upper, qsizetype size, qsizetype from, qsizetype to)
{
    from = std::max<qsizetype>(from, 0);
    to = std::min(to, size);
    for (qsizetype i = from; i < to; ++i) {
        setBit(filter, gramBit(upper[i], kNoUnit, kNoUnit));
        if (i + 1 < size)
            setBit(filter, gramBit(upper[i], upper[i + 1], kNoUnit));
        if (i + 2 < size)
            setBit(filter, gramBit(upper[i], upper[i + 1], upper[i + 2]));
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
    return quint64(1) << (((quint32(a) * 0x9E3779B1u) ^ (quint32(b) * 0x85EBCA6Bu)) >> 26);
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
