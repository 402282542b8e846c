#include "text/PreparationPass.h"

namespace text {

PrepareResult prepareText(const QString& text, const QList<DictionaryRow>&, const PrepareOptions&, const app::Clock&,
                          const QLocale&)
{
    return {text, {}}; // stub
}

} // namespace text
