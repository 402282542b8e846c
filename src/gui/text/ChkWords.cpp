#include "gui/text/ChkWords.h"

#include "base/text/PreparationPass.h"
#include "base/text/ReplaceString.h"
#include "gui/form/Controls.h"
#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"
#include "gui/text/DictionaryList.h"

#include <QCheckBox>

namespace text {

core::ResultOf<QString> prepareBoxText(const form::Controls& controls, form::WindowState& state,
                                       DictionaryList& dictionary, const core::Clock& clock, const QLocale& locale)
{
    state.unpreparedText = controls.tAusgabe->text();
    const PrepareOptions options{controls.ckWords->checkState() == Qt::Checked,
                                 controls.ckCSens->checkState() != Qt::Unchecked};
    const PrepareResult result = prepareText(state.unpreparedText, dictionary.rows(), options, clock, locale);
    // The pass itself stays pure; its rewrites that met an empty pattern are reported here, while the text is
    // being prepared, as before.
    for (int i = 0; i < result.emptyPatterns; ++i)
        core::showMessage(core::emptyPatternMessage());
    if (!result.error.isEmpty())
        return core::Result::failure(result.error);
    for (const int row : result.deactivatedRows)
        dictionary.uncheckRow(row);
    state.preparedTextFlag = true;
    return result.text;
}

core::Result ChkWords(const form::Controls& controls, form::WindowState& state, DictionaryList& dictionary,
                      const core::Clock& clock, const QLocale& locale)
{
    const core::ResultOf<QString> prepared = prepareBoxText(controls, state, dictionary, clock, locale);
    if (!prepared)
        return prepared.result();
    controls.tAusgabe->setText(prepared.value());
    return {};
}

} // namespace text
