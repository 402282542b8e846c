#pragma once

#include <QString>

namespace clipboard {

// Where the watcher reads the clipboard's text: the system clipboard in the program, a fake in tests.
class ClipboardSource {
public:
    virtual ~ClipboardSource() = default;
    // The clipboard's text, or an empty string when it holds none or cannot be read.
    virtual QString text() const = 0;
};

} // namespace clipboard
