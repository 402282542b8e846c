#include "text/ChkWords.h"

#include "form/Controls.h"
#include "form/TextBox.h"
#include "form/WindowState.h"
#include "text/DictionaryList.h"
#include "text/PreparationPass.h"

#include <QCheckBox>

namespace text {

bool prepareBoxText(const form::Controls& controls, form::WindowState& state, DictionaryList& dictionary,
                    const core::Clock& clock, const QLocale& locale, QString* prepared, QString* error)
{
    state.unpreparedText = controls.tAusgabe->text();
    const PrepareOptions options{controls.ckWords->checkState() == Qt::Checked,
                                 controls.ckCSens->checkState() != Qt::Unchecked};
    const PrepareResult result = prepareText(state.unpreparedText, dictionary.rows(), options, clock, locale);
    if (!result.error.isEmpty()) {
        if (error)
            *error = result.error;
        return false;
    }
    for (const int row : result.deactivatedRows)
        dictionary.uncheckRow(row);
    state.preparedTextFlag = true;
    *prepared = result.text;
    return true;
}

bool ChkWords(const form::Controls& controls, form::WindowState& state, DictionaryList& dictionary,
              const core::Clock& clock, const QLocale& locale, QString* error)
{
    QString prepared;
    if (!prepareBoxText(controls, state, dictionary, clock, locale, &prepared, error))
        return false;
    controls.tAusgabe->setText(prepared);
    return true;
}

} // namespace text
