#include "base/text/PreparationPass.h"

#include "base/core/Clock.h"
#include "base/text/PreparationRules.h"
#include "base/text/RewriteEngine.h"

#include <algorithm>
#include <limits>

namespace text {

PrepareResult prepareText(const QString& text, const QList<DictionaryRow>& rows, const PrepareOptions& options,
                          const core::Clock& clock, const QLocale& locale)
{
    // One reading of the clock for the whole pass: the pass takes milliseconds, and a single reading keeps
    // "%STD" and "%MIN" (or "%ZEIT" and "%BG") from straddling a change of the hour.
    const PreparationPlan plan = planPreparation(rows, options, clock.now(), locale);

    RewriteEngine::Limits limits;
    limits.maxText = options.maxSize > 0 ? options.maxSize : preparedTextLimit(text.size());
    RewriteEngine engine(text, limits);
    const auto apply = [&](const QList<Rewrite>& rewrites) -> QString {
        for (const Rewrite& rewrite : rewrites) {
            if (!engine.replace(rewrite.find, rewrite.replacement, rewrite.caseSensitive)) {
                return QStringLiteral("The prepared text would grow beyond %1 MB when \"%2\" is replaced")
                    .arg(double(limits.maxText) * sizeof(char16_t) / (1024 * 1024), 0, 'f', 1)
                    .arg(rewrite.find.left(60));
            }
        }
        return QString();
    };
    PrepareResult result;
    result.error = apply(plan.dictionary);
    if (result.error.isEmpty()) {
        engine.collapseBlanks();
        result.error = apply(plan.afterBlanks);
    }
    result.emptyPatterns = engine.emptyPatterns();
    if (result.error.isEmpty()) {
        result.text = engine.text();
        result.deactivatedRows = plan.deactivatedRows;
    }
    return result;
}

qsizetype preparedTextLimit(qsizetype inputSize)
{
    constexpr qsizetype kMinimum = qsizetype(32) * 1024 * 1024;
    return std::max(kMinimum, inputSize > std::numeric_limits<qsizetype>::max() / 16 ? inputSize : inputSize * 16);
}

} // namespace text
