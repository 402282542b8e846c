#include "base/clipboard/ClipboardRules.h"

namespace clipboard {

std::optional<QString> takeOverClipboard(QString& lastText, const ClipboardSource& source, bool watching, bool speaking)
{
    if (!watching)
        return std::nullopt;
    QString text = source.text();
    // A text copied while speaking stays pending: it is taken over on the first idle tick if still there.
    if (speaking || text == lastText)
        return std::nullopt;
    lastText = text;
    return text;
}

void switchWatcher(QString& lastText, bool watching, bool speaking)
{
    if (!watching && !speaking)
        lastText.clear();
}

} // namespace clipboard
