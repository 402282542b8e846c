#include "base/text/RewriteEngine.h"

#include "base/text/BlockFilter.h"
#include "base/text/ReplaceString.h"
#include "base/text/UnitSearch.h"
#include "base/text/UpperCase.h"

#include <algorithm>
#include <cstring>

namespace text {

using namespace rewrite;

RewriteEngine::RewriteEngine(const QString& text)
    : RewriteEngine(text, Limits{})
{
}

RewriteEngine::RewriteEngine(const QString& text, Limits limits)
    : m_limits(limits)
{
    rebuild(text);
}

// Whether the pair across the end of the block occurs in the needle (as far as its pair mask tells).
bool RewriteEngine::mayStraddle(qsizetype block, quint64 mask, bool caseSensitive) const
{
    if (block + 1 >= qsizetype(m_blocks.size()))
        return false;
    const Block& here = m_blocks[block];
    const Block& next = m_blocks[block + 1];
    if (here.text.isEmpty() || next.text.isEmpty())
        return false;
    return (mask &
            (caseSensitive ? pairMaskBit(here.last, next.first) : pairMaskBit(here.lastUpper, next.firstUpper))) != 0;
}

// Whether a match lying wholly inside the block is possible. Matches across the end of a block are looked for
// separately (straddlingMatch), so the filter needs no knowledge of the neighbours.
bool RewriteEngine::mayStartIn(qsizetype block, const std::vector<quint32>& bits) const
{
    // The filters lie far apart in memory, and stepping over the blocks would wait for each one in turn: ask for
    // the word of a block a few steps ahead now, so that it has arrived when that block's turn comes.
    constexpr qsizetype kAhead = 8;
    if (!bits.empty() && block + kAhead < qsizetype(m_blocks.size()))
        __builtin_prefetch(m_blocks[block + kAhead].filter->data() + (bits.front() >> 6));
    const Filter& filter = *m_blocks[block].filter;
    for (const quint32 bit : bits) {
        if (!((filter[bit >> 6] >> (bit & 63)) & 1))
            return false;
    }
    return true;
}

// The first match that starts in the block at or after from and runs on into the next block. Such a match holds
// the pair of the block's last unit and the next block's first unit, so only the places of that pair in the
// needle are tried.
qsizetype RewriteEngine::straddlingMatch(qsizetype block, QStringView needle, bool caseSensitive, qsizetype from) const
{
    const qsizetype length = needle.size();
    if (block + 1 >= qsizetype(m_blocks.size()) || length < 2)
        return -1;
    const Block& here = m_blocks[block];
    const Block& next = m_blocks[block + 1];
    const QStringView head = caseSensitive ? QStringView(here.text) : QStringView(here.upper);
    const QStringView tail = caseSensitive ? QStringView(next.text) : QStringView(next.upper);
    const qsizetype size = head.size();
    if (size == 0 || tail.isEmpty())
        return -1;
    const QChar last = head[size - 1];
    const QChar first = tail[0];
    // The pair at needle position j puts the match start at size - 1 - j: the highest j gives the earliest start.
    for (qsizetype j = std::min(length - 2, size - 1); j >= 0; --j) {
        if (needle[j] != last || needle[j + 1] != first)
            continue;
        const qsizetype start = size - 1 - j;
        const qsizetype inTail = length - j - 1;
        if (start < from || inTail > tail.size())
            continue;
        if (head.sliced(start) == needle.first(j + 1) && tail.first(inTail) == needle.sliced(j + 1))
            return start;
    }
    return -1;
}

RewriteEngine::Location RewriteEngine::findFirst(const QString& needle, const std::vector<quint32>& bits) const
{
    const quint64 pairs = pairMask(needle);
    for (qsizetype i = 0; i < qsizetype(m_blocks.size()); ++i) {
        qsizetype at = -1;
        if (mayStartIn(i, bits)) {
            const QString& text = m_blocks[i].text;
            at = core::findUnits(units(text), text.size(), 0, units(needle), needle.size());
        }
        if (at < 0 && mayStraddle(i, pairs, true))
            at = straddlingMatch(i, needle, true, 0);
        if (at >= 0)
            return {i, at};
    }
    return {};
}

// Resolves "prefix*" the way ReplaceString does: the word from the first case-sensitive occurrence of the prefix
// up to the next blank, or the prefix alone. Returns false when the word is too long to be searched in blocks.
bool RewriteEngine::resolveWildcard(const QString& prefix, QString* pattern) const
{
    const Location at = findFirst(prefix, patternBits(core::upperCopy(prefix)));
    *pattern = prefix;
    if (at.block < 0)
        return true;
    QString word;
    qsizetype offset = at.offset;
    for (size_t i = at.block; i < m_blocks.size(); ++i, offset = 0) {
        const QString& text = m_blocks[i].text;
        // The unit at the occurrence itself belongs to the word even when it is a blank.
        const qsizetype searchFrom = word.isEmpty() ? offset + 1 : offset;
        const qsizetype blank = text.indexOf(kBlank, std::min(searchFrom, text.size()));
        word.append(QStringView(text).sliced(offset, (blank < 0 ? text.size() : blank) - offset));
        if (word.size() > m_limits.minBlock)
            return false;
        if (blank >= 0) {
            *pattern = word;
            return true;
        }
    }
    return true; // no blank behind the prefix: the prefix alone
}

bool RewriteEngine::replace(const QString& find, const QString& replacement, bool caseSensitive)
{
    if (m_blocks.empty())
        return true; // an empty text stays empty and nothing is reported
    QString pattern = find;
    if (pattern.endsWith(QLatin1Char('*'))) {
        const QString prefix = pattern.chopped(1);
        if (prefix.isEmpty() || prefix.size() > m_limits.minBlock || !resolveWildcard(prefix, &pattern))
            return replaceWhole(find, replacement, caseSensitive);
        // A resolved word ending in "*" is resolved again behind every match: leave that to ReplaceString.
        if (pattern.endsWith(QLatin1Char('*')))
            return replaceWhole(find, replacement, caseSensitive);
    }
    if (pattern.isEmpty() || pattern.size() > m_limits.minBlock)
        return replaceWhole(find, replacement, caseSensitive);
    return replaceInBlocks(pattern, replacement, caseSensitive);
}

bool RewriteEngine::replaceWhole(const QString& find, const QString& replacement, bool caseSensitive)
{
    const std::optional<core::Replaced> result =
        core::ReplaceStringWithin(text(), find, replacement, caseSensitive, m_limits.maxText);
    if (!result) {
        m_blocks.clear();
        return false;
    }
    if (!result->status.ok())
        ++m_emptyPatterns;
    rebuild(result->text);
    return true;
}

// Left to right over the blocks, like one scan over the whole text: a block is searched only when its filter
// admits the pattern, and a match that runs into the next block takes its units from there, so the scan goes on
// at the start of that block.
bool RewriteEngine::replaceInBlocks(const QString& pattern, const QString& replacement, bool caseSensitive)
{
    const QString upperPattern = core::upperCopy(pattern);
    const QStringView needle = caseSensitive ? QStringView(pattern) : QStringView(upperPattern);
    const QString upperReplacement = core::upperCopy(replacement);
    const std::vector<quint32> bits = patternBits(upperPattern);
    const std::vector<std::pair<quint32, quint64>> replacementGrams = gramsWithin(upperReplacement);
    const quint64 pairs = pairMask(needle);
    const qsizetype length = pattern.size();
    bool changed = false;
    // Only a replacement longer than its pattern grows the text; then each block's growth is checked before it
    // is written, so the text never outgrows the limit, not even for a moment.
    const qsizetype growthPerMatch = replacement.size() - length;
    qsizetype total = 0;
    if (growthPerMatch > 0) {
        for (const Block& block : m_blocks)
            total += block.text.size();
    }

    for (qsizetype i = 0; i < qsizetype(m_blocks.size()); ++i) {
        Block& block = m_blocks[i];
        const qsizetype size = block.text.size();
        m_matches.clear();
        qsizetype pos = 0;
        if (mayStartIn(i, bits)) {
            const char16_t* haystack = units(caseSensitive ? block.text : block.upper);
            pos = core::findAllUnits(haystack, size, 0, needle.utf16(), length, m_matches);
        }
        qsizetype takenFromNext = 0;
        if (pos < size && mayStraddle(i, pairs, caseSensitive)) {
            const qsizetype at = straddlingMatch(i, needle, caseSensitive, pos);
            if (at >= 0) {
                m_matches.push_back(at);
                takenFromNext = length - (size - at);
            }
        }
        if (m_matches.empty())
            continue;
        if (growthPerMatch > 0) {
            const qsizetype growth = qsizetype(m_matches.size()) * growthPerMatch;
            if (growth > m_limits.maxText - total) {
                m_blocks.clear(); // half rewritten: of no use to anyone
                return false;
            }
            total += growth;
        }
        writeReplacements(block, length, length - takenFromNext, replacement, upperReplacement, replacementGrams);
        if (takenFromNext > 0) {
            Block& next = m_blocks[i + 1];
            next.text.remove(0, takenFromNext);
            next.upper.remove(0, takenFromNext);
            refreshEnds(next);
        }
        changed = true;
    }
    if (changed)
        normalize();
    return true;
}

namespace {

void copyUnits(char16_t* to, const char16_t* from, qsizetype count)
{
    if (count > 0) // an empty replacement has no buffer
        std::memmove(to, from, size_t(count) * sizeof(char16_t));
}

// Writes the units with the replacement at every start into `to`, left to right: each match consumes
// patternLength units but the last, which consumes lastLength and, when that is less, ends the units. `to` may be
// `from` itself, with room for the result, when the replacement is no longer than the pattern: the writing then
// never overtakes the reading, and what comes before the first match stays where it is.
void rewriteForward(char16_t* to, const char16_t* from, qsizetype size, const std::vector<qsizetype>& starts,
                    qsizetype patternLength, qsizetype lastLength, QStringView replacement)
{
    const qsizetype count = qsizetype(starts.size());
    qsizetype read = to == from ? starts[0] : 0;
    qsizetype write = read;
    for (qsizetype k = 0; k < count; ++k) {
        copyUnits(to + write, from + read, starts[k] - read);
        write += starts[k] - read;
        copyUnits(to + write, replacement.utf16(), replacement.size());
        write += replacement.size();
        read = starts[k] + (k + 1 < count ? patternLength : lastLength);
    }
    copyUnits(to + write, from + read, size - read);
}

// The same in place for a replacement longer than the pattern, right to left in units with room for resultSize, so
// that no unit is overwritten before it has moved.
void rewriteBackward(char16_t* units, qsizetype size, qsizetype resultSize, const std::vector<qsizetype>& starts,
                     qsizetype patternLength, qsizetype lastLength, QStringView replacement)
{
    const qsizetype count = qsizetype(starts.size());
    qsizetype read = size;
    qsizetype write = resultSize;
    for (qsizetype k = count - 1; k >= 0; --k) {
        const qsizetype end = starts[k] + (k + 1 < count ? patternLength : lastLength);
        write -= read - end;
        copyUnits(units + write, units + end, read - end);
        write -= replacement.size();
        copyUnits(units + write, replacement.utf16(), replacement.size());
        read = starts[k];
    }
}

} // namespace

// Rewrites a block with the replacement at every start in m_matches; the last match may have been cut short where
// it ran into the next block. Where the result fits the block's buffers, they are rewritten in place from the first
// match on, so a rewrite touches no more memory than it must; otherwise the result is written into the scratch
// buffers, with room to spare, which then trade places with the block's: rewrites seldom allocate.
void RewriteEngine::writeReplacements(Block& block, qsizetype patternLength, qsizetype lastLength,
                                      const QString& replacement, const QString& upperReplacement,
                                      const std::vector<std::pair<quint32, quint64>>& replacementGrams)
{
    const qsizetype size = block.text.size();
    const qsizetype count = qsizetype(m_matches.size());
    const qsizetype with = replacement.size();
    const qsizetype resultSize = size - (count - 1) * patternLength - lastLength + count * with;
    const bool fits = resultSize <= block.text.capacity() && resultSize <= block.upper.capacity();
    for (auto [text, scratch, inserted] : {std::tuple(&block.text, &m_scratchText, QStringView(replacement)),
                                           std::tuple(&block.upper, &m_scratchUpper, QStringView(upperReplacement))}) {
        if (!fits) {
            if (scratch->capacity() < resultSize)
                scratch->reserve(resultSize + resultSize / 4);
            scratch->resize(resultSize);
            rewriteForward(reinterpret_cast<char16_t*>(scratch->data()), units(*text), size, m_matches, patternLength,
                           lastLength, inserted);
            text->swap(*scratch);
            continue;
        }
        text->resize(std::max(size, resultSize));
        char16_t* own = reinterpret_cast<char16_t*>(text->data());
        if (with <= patternLength)
            rewriteForward(own, own, size, m_matches, patternLength, lastLength, inserted);
        else
            rewriteBackward(own, size, resultSize, m_matches, patternLength, lastLength, inserted);
        text->truncate(resultSize);
    }
    for (qsizetype k = 0; k < count; ++k)
        m_matches[k] += k * (with - patternLength); // where the replacement stands in the new text
    for (const auto& [word, bits] : replacementGrams)
        (*block.filter)[word] |= bits;
    for (const qsizetype at : m_matches)
        addJoinedGrams(*block.filter, units(block.upper), resultSize, at, with);
    refreshEnds(block);
}

} // namespace text
