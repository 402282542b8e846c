#pragma once

#include <QString>

#include <array>
#include <limits>
#include <memory>
#include <vector>

namespace text {

// Runs a sequence of ReplaceString rewrites over one text with the same result as calling ReplaceString for each
// in turn, without passing over the whole text for every rewrite. The text is held in blocks of a few thousand
// units; each block keeps an upper-cased copy (for case-insensitive search) and a filter of the units, pairs and
// triples it may contain, so a rewrite searches only the blocks where its pattern can occur and rebuilds only
// those where it does. Anything the blocks do not handle (an empty pattern, a pattern longer than the smallest block, a
// wildcard word that ends in "*" itself) goes through ReplaceString on the whole text.
class RewriteEngine {
public:
    struct Limits {
        qsizetype minBlock = 512; // also the longest pattern searched block by block
        qsizetype targetBlock = 2048;
        qsizetype maxBlock = 8192;
        qsizetype maxText = std::numeric_limits<qsizetype>::max(); // a rewrite that grows the text beyond it fails
    };

    explicit RewriteEngine(const QString& text);
    RewriteEngine(const QString& text, Limits limits);

    // text = ReplaceString(text, find, replacement, caseSensitive). False when the result would be longer than
    // maxText; the text is then dropped (it may have been rewritten half-way).
    [[nodiscard]] bool replace(const QString& find, const QString& replacement, bool caseSensitive);
    // How many replace calls met an empty pattern (ReplaceString's failure): each is owed a message box.
    int emptyPatterns() const { return m_emptyPatterns; }

    // Replaces "  " by " " until the text stops changing, that is, every run of blanks becomes one blank.
    void collapseBlanks();

    QString text() const;

private:
    static constexpr int kFilterBits = 1 << 15;
    using Filter = std::array<quint64, kFilterBits / 64>;

    // Kept small, so that stepping over blocks that a rewrite skips stays within a few cache lines.
    struct Block {
        QString text;
        QString upper;                  // text with every unit upper-cased; same length
        std::unique_ptr<Filter> filter; // superset of the units, pairs and triples that start in this block;
                                        // made by fillFilter, so that a block being put together allocates none
        char16_t first = 0, last = 0, firstUpper = 0, lastUpper = 0; // the ends, for matches across blocks
    };

    struct Location {
        qsizetype block = -1;
        qsizetype offset = 0;
    };

    void rebuild(const QString& text);
    Block makeBlock(const QString& text) const;
    static void fillFilter(Block& block);
    static void refreshEnds(Block& block);
    bool mayStraddle(qsizetype block, quint64 pairMask, bool caseSensitive) const;

    bool mayStartIn(qsizetype block, const std::vector<quint32>& bits) const;
    qsizetype straddlingMatch(qsizetype block, QStringView needle, bool caseSensitive, qsizetype from) const;
    Location findFirst(const QString& needle, const std::vector<quint32>& bits) const;
    bool resolveWildcard(const QString& prefix, QString* pattern) const;

    bool replaceInBlocks(const QString& pattern, const QString& replacement, bool caseSensitive);
    void writeReplacements(Block& block, qsizetype patternLength, qsizetype lastLength, const QString& replacement,
                           const QString& upperReplacement,
                           const std::vector<std::pair<quint32, quint64>>& replacementGrams);
    bool replaceWhole(const QString& find, const QString& replacement, bool caseSensitive);
    void normalize();

    Limits m_limits;
    std::vector<Block> m_blocks;      // no block is empty; all but the last hold at least minBlock units
    std::vector<qsizetype> m_matches; // scratch: match starts within one block
    QString m_scratchText;            // scratch: room for a block's text and upper-cased text that outgrow theirs
    QString m_scratchUpper;
    int m_emptyPatterns = 0;
};

} // namespace text
