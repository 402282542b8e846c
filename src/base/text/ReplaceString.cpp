#include "base/text/ReplaceString.h"

#include "base/text/UnitSearch.h"
#include "base/text/UpperCase.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace core {

namespace {

// The case-sensitive prefix search of a wildcard pattern, remembered between rounds: while the scan has not yet
// passed the occurrence found last time, the first occurrence from the new start is the same one. Without this a
// wildcard word that itself ends in "*" would rescan the rest of the text for every match.
struct PrefixSearch {
    QString prefix;
    qsizetype from = -1;
    qsizetype found = -1;
    qsizetype blank = -1;

    // Resolves a wildcard pattern against the text from position start: the word that begins at the first
    // case-sensitive occurrence of the prefix and runs up to the next blank, or the prefix alone when the prefix
    // does not occur or no blank follows it.
    QString resolve(const QString& text, qsizetype start, const QString& pattern)
    {
        const QString wanted = pattern.chopped(1);
        const bool reusable = wanted == prefix && from >= 0 && start >= from && (found < 0 || start <= found);
        if (!reusable) {
            prefix = wanted;
            from = start;
            found = text.indexOf(wanted, start, Qt::CaseSensitive); // an empty prefix is found at start
            blank = found < 0 ? -1 : text.indexOf(QLatin1Char(' '), found + 1);
        } else {
            from = start;
        }
        if (found < 0 || blank < 0)
            return wanted;
        return text.mid(found, blank - found);
    }
};

} // namespace

// Each round of the loop is one level of the recursive definition: the rest of the text behind the previous match
// is treated as a text of its own, so an empty rest ends the work quietly, a wildcard pattern is resolved against
// the rest, and an empty pattern fails and drops the rest. The result is written in one piece.
std::optional<Replaced> ReplaceStringWithin(const QString& text, const QString& strToFind, const QString& replacement,
                                            bool caseSensitive, qsizetype maxSize)
{
    if (text.isEmpty())
        return Replaced{};

    const QString upperText = caseSensitive ? QString() : upperCopy(text);
    const char16_t* haystack = QStringView(caseSensitive ? text : upperText).utf16();
    const qsizetype size = text.size();

    QString pattern = strToFind;
    QString needle = caseSensitive ? pattern : upperCopy(pattern);
    PrefixSearch prefixSearch;

    // Written in place: no list of matches (a run of blanks has half a million), and one allocation unless the
    // replacement is longer than the pattern.
    QString result;
    char16_t* out = nullptr;
    qsizetype written = 0;
    const char16_t* in = QStringView(text).utf16();
    const auto reserveFor = [&](qsizetype needed) {
        if (out && needed <= result.size())
            return;
        result.resize(std::max(needed, std::max(size, result.size() * 2)));
        out = reinterpret_cast<char16_t*>(result.data());
    };
    const auto put = [&](const char16_t* units, qsizetype count) {
        if (count > 0) // an empty QString has no buffer, and memcpy wants a valid pointer even for nothing
            std::memcpy(out + written, units, size_t(count) * sizeof(char16_t));
        written += count;
    };

    qsizetype pos = 0;
    bool restDropped = false;
    bool matched = false;
    while (pos < size) {
        if (pattern.isEmpty()) {
            restDropped = true;
            break;
        }
        if (pattern.endsWith(QLatin1Char('*'))) {
            pattern = prefixSearch.resolve(text, pos, pattern);
            needle = caseSensitive ? pattern : upperCopy(pattern);
        }
        const qsizetype found = findUnits(haystack, size, pos, QStringView(needle).utf16(), needle.size());
        if (found < 0)
            break;
        matched = true;
        // The result so far and the rest behind the match: when the replacement is longer than its pattern,
        // further matches only add to it.
        const qsizetype needed = written + (found - pos) + replacement.size() + (size - found - pattern.size());
        if (needed > maxSize)
            return std::nullopt;
        reserveFor(needed);
        put(in + pos, found - pos);
        put(QStringView(replacement).utf16(), replacement.size());
        pos = found + pattern.size();
    }
    const Result status = restDropped ? Result::failure(QStringLiteral("empty search pattern")) : Result();
    if (!matched)
        return Replaced{restDropped ? QString() : text, status}; // nothing found: the caller's string, not a copy
    if (!restDropped) {
        reserveFor(written + size - pos);
        put(in + pos, size - pos);
    }
    result.truncate(written);
    return Replaced{std::move(result), status};
}

Replaced ReplaceString(const QString& text, const QString& strToFind, const QString& replacement, bool caseSensitive)
{
    return *ReplaceStringWithin(text, strToFind, replacement, caseSensitive, std::numeric_limits<qsizetype>::max());
}

Message emptyPatternMessage()
{
    return {QStringLiteral("Function: ReplaceString"), QStringLiteral("StrToFind=?  "), MessageButtons::Ok};
}

} // namespace core
