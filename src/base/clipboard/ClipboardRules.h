#pragma once

#include "base/clipboard/ClipboardSource.h"

#include <QString>

#include <optional>

namespace clipboard {

// The take-over rules of the clipboard watcher, without a window. lastText is the text last taken over (at
// start-up the text found on the clipboard then, so that one is never read).

// One timer tick: the clipboard is read while watching (also while speaking); a text that differs from lastText
// is taken over only while idle, and becomes lastText. An emptied clipboard counts as a new text.
std::optional<QString> takeOverClipboard(QString& lastText, const ClipboardSource& source, bool watching,
                                         bool speaking);

// The watcher was switched on or off. Off while idle forgets lastText, so switching it on again reads what is
// on the clipboard now; off while speaking keeps it.
void switchWatcher(QString& lastText, bool watching, bool speaking);

} // namespace clipboard
