#include "base/text/RewriteEngine.h"

#include "base/text/BlockFilter.h"
#include "base/text/UnitSearch.h"
#include "base/text/UpperCase.h"

#include <algorithm>
#include <cstring>

// How the engine's text is laid out in blocks, and the rewrite that needs no search (collapsing blanks).
namespace text {

using namespace rewrite;

QString RewriteEngine::text() const
{
    qsizetype size = 0;
    for (const Block& block : m_blocks)
        size += block.text.size();
    QString result;
    result.reserve(size);
    for (const Block& block : m_blocks)
        result.append(block.text);
    return result;
}

namespace {

#ifdef SPRECHKIT_UNIT_SEARCH_AVX2
// gramBit for eight positions a step; the bits are then set one by one. Returns the first position left over: the
// last few, whose pairs and triples run past the end.
__attribute__((target("avx2,bmi2"))) qsizetype addGramsAvx2(quint64* filter, const char16_t* upper, qsizetype size)
{
    const __m256i factors[3] = {_mm256_set1_epi32(int(kFirstFactor)), _mm256_set1_epi32(int(kSecondFactor)),
                                _mm256_set1_epi32(int(kThirdFactor))};
    const __m256i noThird = _mm256_set1_epi32(int(quint32(kNoUnit) * kThirdFactor));
    const __m256i noSecondOrThird =
        _mm256_set1_epi32(int(quint32(kNoUnit) * kSecondFactor ^ quint32(kNoUnit) * kThirdFactor));
    alignas(32) quint32 bits[24];
    qsizetype i = 0;
    for (; i + 10 <= size; i += 8) {
        // Units i.., i + 1.. and i + 2.., each widened to 32 bits and multiplied by the factor of its place.
        __m256i place[3];
        for (int k = 0; k < 3; ++k) {
            const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + i + k));
            place[k] = _mm256_mullo_epi32(_mm256_cvtepu16_epi32(eight), factors[k]);
        }
        const __m256i a = place[0];
        const __m256i ab = _mm256_xor_si256(a, place[1]);
        const __m256i abc = _mm256_xor_si256(ab, place[2]);
        _mm256_store_si256(reinterpret_cast<__m256i*>(bits),
                           _mm256_srli_epi32(_mm256_xor_si256(a, noSecondOrThird), kGramShift));
        _mm256_store_si256(reinterpret_cast<__m256i*>(bits + 8),
                           _mm256_srli_epi32(_mm256_xor_si256(ab, noThird), kGramShift));
        _mm256_store_si256(reinterpret_cast<__m256i*>(bits + 16), _mm256_srli_epi32(abc, kGramShift));
#pragma GCC unroll 24
        for (const quint32 bit : bits)
            filter[bit >> 6] |= quint64(1) << (bit & 63);
    }
    return i;
}
#endif

} // namespace

// The single unit, the pair and the triple at every place of the block, with each unit's three products computed
// once.
void RewriteEngine::fillFilter(Block& block)
{
    static_assert(kFilterBits == 1 << kGramBits);
    if (!block.filter)
        block.filter = std::make_unique<Filter>();
    Filter& filter = *block.filter;
    filter.fill(0);
    const char16_t* upper = units(block.upper);
    const qsizetype size = block.upper.size();
    qsizetype i = 0;
#ifdef SPRECHKIT_UNIT_SEARCH_AVX2
    if (core::detail::hasAvx2())
        i = addGramsAvx2(filter.data(), upper, size);
#endif
    const quint32 noSecond = quint32(kNoUnit) * kSecondFactor;
    const quint32 noThird = quint32(kNoUnit) * kThirdFactor;
    for (; i < size; ++i) {
        const quint32 a = quint32(upper[i]) * kFirstFactor;
        setBit(filter, (a ^ noSecond ^ noThird) >> kGramShift);
        if (i + 1 < size) {
            const quint32 b = quint32(upper[i + 1]) * kSecondFactor;
            setBit(filter, (a ^ b ^ noThird) >> kGramShift);
            if (i + 2 < size)
                setBit(filter, (a ^ b ^ quint32(upper[i + 2]) * kThirdFactor) >> kGramShift);
        }
    }
    refreshEnds(block);
}

void RewriteEngine::refreshEnds(Block& block)
{
    if (block.text.isEmpty())
        return;
    block.first = block.text.front().unicode();
    block.last = block.text.back().unicode();
    block.firstUpper = block.upper.front().unicode();
    block.lastUpper = block.upper.back().unicode();
}

RewriteEngine::Block RewriteEngine::makeBlock(const QString& text) const
{
    Block block;
    block.text = text;
    block.upper = core::upperCopy(text);
    fillFilter(block);
    return block;
}

// Cuts the text into blocks of about the target size; pieces of equal size keep every block above the minimum.
void RewriteEngine::rebuild(const QString& text)
{
    m_blocks.clear();
    if (text.isEmpty())
        return;
    const qsizetype count = std::max<qsizetype>(1, text.size() / m_limits.targetBlock);
    m_blocks.reserve(count);
    qsizetype start = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype end = text.size() * (i + 1) / count;
        m_blocks.push_back(makeBlock(text.sliced(start, end - start)));
        start = end;
    }
    normalize();
}

// Restores the block invariants after a rewrite: no empty block, none but the last below the minimum, none above
// the maximum. Rewrites change sizes only a little, so this rarely has work to do.
void RewriteEngine::normalize()
{
    const auto needsWork = [this] {
        for (size_t i = 0; i < m_blocks.size(); ++i) {
            const qsizetype size = m_blocks[i].text.size();
            if (size == 0 || size > m_limits.maxBlock || (size < m_limits.minBlock && i + 1 < m_blocks.size()))
                return true;
        }
        return false;
    };
    if (!needsWork())
        return;
    std::vector<Block> blocks;
    blocks.reserve(m_blocks.size() + 4);
    const auto push = [&](Block&& block, bool merged) {
        const qsizetype size = block.text.size();
        if (size <= m_limits.maxBlock) {
            if (merged)
                fillFilter(block);
            blocks.push_back(std::move(block));
            return;
        }
        const qsizetype count = (size + m_limits.targetBlock - 1) / m_limits.targetBlock;
        qsizetype start = 0;
        for (qsizetype i = 0; i < count; ++i) {
            const qsizetype end = size * (i + 1) / count;
            Block piece;
            piece.text = block.text.sliced(start, end - start);
            piece.upper = block.upper.sliced(start, end - start);
            fillFilter(piece);
            blocks.push_back(std::move(piece));
            start = end;
        }
    };
    Block pending;
    bool pendingMerged = false;
    for (Block& block : m_blocks) {
        if (block.text.isEmpty())
            continue;
        if (pending.text.isEmpty()) {
            pending = std::move(block);
            pendingMerged = false;
        } else {
            pending.text.append(block.text);
            pending.upper.append(block.upper);
            pendingMerged = true;
        }
        if (pending.text.size() >= m_limits.minBlock) {
            push(std::move(pending), pendingMerged);
            pending = Block();
        }
    }
    if (!pending.text.isEmpty()) {
        if (blocks.empty()) {
            push(std::move(pending), pendingMerged);
        } else {
            Block last = std::move(blocks.back());
            blocks.pop_back();
            last.text.append(pending.text);
            last.upper.append(pending.upper);
            push(std::move(last), true);
        }
    }
    m_blocks = std::move(blocks);
}

// Keeps the first blank of every run and drops the rest: the runs are found by a search for two blanks, and what
// lies between them moves up in one piece.
void RewriteEngine::collapseBlanks()
{
    static constexpr char16_t kTwoBlanks[] = {kBlank, kBlank};
    const quint32 blankPair = gramBit(kBlank, kBlank, kNoUnit);
    bool previousBlank = false; // the text before the current block ends in a blank
    bool changed = false;
    for (Block& block : m_blocks) {
        const bool afterBlank = previousBlank;
        previousBlank = block.last == kBlank; // the last unit stays, or goes as part of a run of blanks
        const char16_t* text = units(block.text);
        const qsizetype size = block.text.size();
        qsizetype keepFrom = 0;
        if (afterBlank) {
            while (keepFrom < size && text[keepFrom] == kBlank)
                ++keepFrom;
        }
        const bool admits = ((*block.filter)[blankPair >> 6] >> (blankPair & 63)) & 1;
        qsizetype at = admits ? core::findUnits(text, size, keepFrom, kTwoBlanks, 2) : -1;
        if (keepFrom == 0 && at < 0)
            continue;

        // In place: what is kept only ever moves towards the start.
        char16_t* to = reinterpret_cast<char16_t*>(block.text.data());
        char16_t* toUpper = reinterpret_cast<char16_t*>(block.upper.data());
        text = to;
        qsizetype kept = 0;
        const auto keep = [&](qsizetype from, qsizetype end) {
            if (from != kept) {
                std::memmove(to + kept, to + from, size_t(end - from) * sizeof(char16_t));
                std::memmove(toUpper + kept, toUpper + from, size_t(end - from) * sizeof(char16_t));
            }
            kept += end - from;
        };
        m_matches.clear(); // places where a dropped run of blanks brought two units together
        qsizetype segment = keepFrom;
        for (; at >= 0; at = core::findUnits(text, size, segment, kTwoBlanks, 2)) {
            qsizetype runEnd = at + 2;
            while (runEnd < size && text[runEnd] == kBlank)
                ++runEnd;
            keep(segment, at + 1);
            if (runEnd < size)
                m_matches.push_back(kept);
            segment = runEnd;
        }
        keep(segment, size);
        for (const qsizetype joint : m_matches)
            addJoinedGrams(*block.filter, toUpper, kept, joint, 0);
        block.text.truncate(kept);
        block.upper.truncate(kept);
        refreshEnds(block);
        changed = true;
    }
    if (changed)
        normalize();
}

} // namespace text
