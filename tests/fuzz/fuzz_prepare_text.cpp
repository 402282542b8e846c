// The preparation pass against the same rewrites applied one by one with ReplaceString. The block engine's own
// random comparison runs tiny blocks; here the blocks are the pass's own.

#include "FuzzInput.h"

#include "base/text/PreparationPass.h"
#include "base/text/PreparationRules.h"
#include "base/text/ReplaceString.h"
#include "support/FakeClock.h"

namespace {

// The plan's rewrites in order, nothing once the text would outgrow the limit. Rows can grow the text a thousandfold
// per row: every run gets a limit, so that it stays short.
std::optional<QString> oneByOne(QString text, const text::PreparationPlan& plan, qsizetype limit, int* failures)
{
    const auto apply = [&](const QList<text::Rewrite>& rewrites) {
        for (const text::Rewrite& rewrite : rewrites) {
            const auto next =
                core::ReplaceStringWithin(text, rewrite.find, rewrite.replacement, rewrite.caseSensitive, limit);
            if (!next)
                return false;
            text = next->text;
            *failures += next->status.ok() ? 0 : 1;
        }
        return true;
    };
    if (!apply(plan.dictionary))
        return std::nullopt;
    for (QString before; before != text;) {
        before = text;
        text = core::ReplaceString(text, QStringLiteral("  "), QStringLiteral(" "), true).text;
    }
    return apply(plan.afterBlanks) ? std::optional(text) : std::nullopt;
}

} // namespace

// Switches: bit 0 dictionary on, bit 1 case-sensitive, bit 2 a limit near the input's size; the rest the hour.
// Parts: the text, then one row each: "search;replacement", a leading "!" for a row that is switched off.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput input(data, size);
    QList<text::DictionaryRow> rows;
    for (qsizetype i = 1; i < input.parts.size(); ++i) {
        QString part = input.part(i);
        const bool checked = !part.startsWith(QLatin1Char('!'));
        if (!checked)
            part.remove(0, 1);
        const qsizetype semicolon = part.indexOf(QLatin1Char(';'));
        rows.append(
            {semicolon < 0 ? part : part.left(semicolon) + text::kEntrySeparator + part.mid(semicolon + 1), checked});
    }
    text::PrepareOptions options{input.bit(0), input.bit(1)};
    const QDateTime now(QDate(2028, 12, 31), QTime((input.switches >> 3) % 24, 7, 3));
    const FakeClock clock(now);
    const QLocale german(QLocale::German, QLocale::Germany);

    const text::PreparationPlan plan = text::planPreparation(rows, options, now, german);
    options.maxSize = input.bit(2) ? 2 * input.part(0).size() + 1 : 1 << 14;
    int failures = 0;
    const std::optional<QString> expected = oneByOne(input.part(0), plan, options.maxSize, &failures);
    const text::PrepareResult result = text::prepareText(input.part(0), rows, options, clock, german);
    FUZZ_CHECK(result.error.isEmpty() == expected.has_value());
    FUZZ_CHECK(result.text == expected.value_or(QString()));
    FUZZ_CHECK(result.emptyPatterns == failures);
    FUZZ_CHECK(!expected || result.deactivatedRows == plan.deactivatedRows);
    return 0;
}
