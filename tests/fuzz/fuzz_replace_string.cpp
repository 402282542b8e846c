// ReplaceString against its recursive definition, written the plain way: one round per level, the upper-case
// comparison done on copies upper-cased unit by unit (not by the vector path the code under test uses).

#include "FuzzInput.h"

#include "base/text/ReplaceString.h"
#include "base/text/UpperCase.h"

namespace {

QString upperByUnit(const QString& text)
{
    QString upper = text;
    for (QChar& unit : upper)
        unit = QChar(core::upperUnit(unit.unicode()));
    return upper;
}

QString byDefinition(const QString& text, QString pattern, const QString& replacement, bool caseSensitive,
                     int* failures)
{
    const QString upperText = upperByUnit(text);
    QString result;
    qsizetype pos = 0; // the rest behind the previous match is the text of the next level
    for (;;) {
        if (pos == text.size())
            return result;
        if (pattern.isEmpty()) {
            ++*failures;
            return result;
        }
        if (pattern.endsWith(QLatin1Char('*'))) {
            const QString prefix = pattern.chopped(1);
            const qsizetype at = text.indexOf(prefix, pos, Qt::CaseSensitive);
            const qsizetype blank = at < 0 ? -1 : text.indexOf(QLatin1Char(' '), at + 1);
            pattern = blank < 0 ? prefix : text.mid(at, blank - at);
        }
        const qsizetype at = caseSensitive ? text.indexOf(pattern, pos, Qt::CaseSensitive)
                                           : upperText.indexOf(upperByUnit(pattern), pos, Qt::CaseSensitive);
        if (at < 0)
            return result + text.mid(pos);
        result += text.mid(pos, at - pos) + replacement;
        pos = at + pattern.size();
    }
}

} // namespace

// Switches: bit 0 case-sensitive, the rest a size limit. Parts: the text, the pattern, the replacement.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput input(data, size);
    const QString text = input.part(0);
    const QString pattern = input.part(1);
    const QString replacement = input.part(2);
    const bool caseSensitive = input.bit(0);

    int expectedFailures = 0;
    const QString expected = byDefinition(text, pattern, replacement, caseSensitive, &expectedFailures);
    const core::Replaced replaced = core::ReplaceString(text, pattern, replacement, caseSensitive);
    FUZZ_CHECK(replaced.text == expected);
    FUZZ_CHECK(replaced.status.ok() == (expectedFailures == 0));

    // With a limit: nothing, or the same result, and never one beyond the limit unless nothing matched.
    const qsizetype limit = input.switches >> 1;
    const auto limited = core::ReplaceStringWithin(text, pattern, replacement, caseSensitive, limit);
    FUZZ_CHECK(!limited || (limited->text == expected && limited->status.ok() == replaced.status.ok()));
    FUZZ_CHECK(!limited || limited->text.size() <= limit || limited->text == text);
    return 0;
}
