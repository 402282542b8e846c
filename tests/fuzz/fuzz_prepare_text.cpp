// The preparation pass against the same rewrites applied one by one with ReplaceString, and the rewrite engine
// with tiny blocks (so that matches run across block ends all the time) against the same.

#include "FuzzInput.h"

#include "core/ReplaceString.h"
#include "support/FakeClock.h"
#include "text/PreparationPass.h"
#include "text/PreparationRules.h"
#include "text/RewriteEngine.h"

#include <algorithm>

namespace {

// The plan's rewrites in order; replace says false once the text would outgrow the limit. Rows can grow the text
// a thousandfold per row: every run gets a limit, so that it stays short.
template <typename Replace, typename Collapse>
bool applyPlan(const text::PreparationPlan& plan, Replace replace, Collapse collapse)
{
    for (const text::Rewrite& rewrite : plan.dictionary) {
        if (!replace(rewrite))
            return false;
    }
    collapse();
    return std::all_of(plan.afterBlanks.cbegin(), plan.afterBlanks.cend(), replace);
}

std::optional<QString> oneByOne(QString text, const text::PreparationPlan& plan, qsizetype limit)
{
    const bool fits = applyPlan(
        plan,
        [&](const text::Rewrite& rewrite) {
            const auto next =
                core::ReplaceStringWithin(text, rewrite.find, rewrite.replacement, rewrite.caseSensitive, limit);
            text = next.value_or(text);
            return next.has_value();
        },
        [&] {
            for (QString before; before != text;) {
                before = text;
                text = core::ReplaceString(text, QStringLiteral("  "), QStringLiteral(" "), true);
            }
        });
    return fits ? std::optional(text) : std::nullopt;
}

std::optional<QString> withTinyBlocks(const QString& input, const text::PreparationPlan& plan, qsizetype limit)
{
    text::RewriteEngine engine(input, {8, 16, 32, limit}); // patterns up to 8 units, as most rules have, go by blocks
    const bool fits = applyPlan(
        plan,
        [&](const text::Rewrite& rewrite) {
            return engine.replace(rewrite.find, rewrite.replacement, rewrite.caseSensitive);
        },
        [&] { engine.collapseBlanks(); });
    return fits ? std::optional(engine.text()) : std::nullopt;
}

} // namespace

// Switches: bit 0 dictionary on, bit 1 case-sensitive, bit 2 a limit near the input's size; the rest picks the
// hour.
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
    const std::optional<QString> expected = oneByOne(input.part(0), plan, options.maxSize);
    const text::PrepareResult result = text::prepareText(input.part(0), rows, options, clock, german);
    FUZZ_CHECK(result.error.isEmpty() == expected.has_value());
    FUZZ_CHECK(result.text == expected.value_or(QString()));
    FUZZ_CHECK(!expected || result.deactivatedRows == plan.deactivatedRows);
    // Tiny blocks cost a filter each: enough of them on short texts, where the fuzzer spends its time anyway.
    if (input.part(0).size() <= 1024)
        FUZZ_CHECK(withTinyBlocks(input.part(0), plan, options.maxSize) == expected);
    return 0;
}
