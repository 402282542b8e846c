#include "text/RewriteEngine.h"

#include "core/UpperCase.h"
#include "text/BlockFilter.h"

#include <algorithm>

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

// The same bits as addGrams over the whole block, with each unit's three products computed once.
void RewriteEngine::fillFilter(Block& block)
{
    static_assert(kFilterBits == 1 << kGramBits);
    Filter& filter = *block.filter;
    filter.fill(0);
    const char16_t* upper = units(block.upper);
    const qsizetype size = block.upper.size();
    const quint32 noSecond = quint32(kNoUnit) * 0x85EBCA6Bu;
    const quint32 noThird = quint32(kNoUnit) * 0xC2B2AE35u;
    for (qsizetype i = 0; i < size; ++i) {
        const quint32 a = quint32(upper[i]) * 0x9E3779B1u;
        setBit(filter, (a ^ noSecond ^ noThird) >> kGramShift);
        if (i + 1 < size) {
            const quint32 b = quint32(upper[i + 1]) * 0x85EBCA6Bu;
            setBit(filter, (a ^ b ^ noThird) >> kGramShift);
            if (i + 2 < size)
                setBit(filter, (a ^ b ^ quint32(upper[i + 2]) * 0xC2B2AE35u) >> kGramShift);
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

void RewriteEngine::collapseBlanks()
{
    const quint32 blankPair = gramBit(kBlank, kBlank, kNoUnit);
    bool previousBlank = false; // the text before the current block ends in a blank
    bool changed = false;
    for (Block& block : m_blocks) {
        const bool admits = ((*block.filter)[blankPair >> 6] >> (blankPair & 63)) & 1;
        if (!admits && !(previousBlank && block.first == kBlank)) {
            previousBlank = block.last == kBlank;
            continue;
        }
        const char16_t* text = units(block.text);
        const char16_t* upper = units(block.upper);
        QString out(block.text.size(), Qt::Uninitialized);
        QString outUpper(block.text.size(), Qt::Uninitialized);
        char16_t* to = reinterpret_cast<char16_t*>(out.data());
        char16_t* toUpper = reinterpret_cast<char16_t*>(outUpper.data());
        m_matches.clear(); // places where a dropped run of blanks brought two units together
        bool dropped = false;
        qsizetype kept = 0;
        for (qsizetype i = 0; i < block.text.size(); ++i) {
            const bool blank = text[i] == kBlank;
            if (blank && previousBlank) {
                dropped = true;
                continue;
            }
            if (dropped) {
                m_matches.push_back(kept);
                dropped = false;
            }
            to[kept] = text[i];
            toUpper[kept] = upper[i];
            ++kept;
            previousBlank = blank;
        }
        if (kept == block.text.size())
            continue;
        for (const qsizetype at : m_matches)
            addGrams(*block.filter, toUpper, kept, at - 2, at);
        out.truncate(kept);
        outUpper.truncate(kept);
        block.text.swap(out);
        block.upper.swap(outUpper);
        refreshEnds(block);
        changed = true;
    }
    if (changed)
        normalize();
}
} // namespace text
