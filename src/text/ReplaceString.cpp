#include "text/ReplaceString.h"

namespace text {

QString ReplaceString(const QString& text, const QString&, const QString&, bool)
{
    return text; // stub
}

} // namespace text
