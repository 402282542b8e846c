#include "text/PreparationPass.h"

#include "core/Clock.h"
#include "text/PreparationRules.h"
#include "text/RewriteEngine.h"

namespace text {

PrepareResult prepareText(const QString& text, const QList<DictionaryRow>& rows, const PrepareOptions& options,
                          const core::Clock& clock, const QLocale& locale)
{
    // One reading of the clock for the whole pass: the pass takes milliseconds, and a single reading keeps
    // "%STD" and "%MIN" (or "%ZEIT" and "%BG") from straddling a change of the hour.
    const PreparationPlan plan = planPreparation(rows, options, clock.now(), locale);

    RewriteEngine engine(text);
    for (const Rewrite& rewrite : plan.dictionary)
        engine.replace(rewrite.find, rewrite.replacement, rewrite.caseSensitive);
    engine.collapseBlanks();
    for (const Rewrite& rewrite : plan.afterBlanks)
        engine.replace(rewrite.find, rewrite.replacement, rewrite.caseSensitive);
    return {engine.text(), plan.deactivatedRows};
}

} // namespace text
