#pragma once

#include <QString>
#include <QStringList>

#include <deque>

namespace speech {

// The <mark> tags of a markup text in text order, to check the synthesizer's bookmarks against: espeak-ng drops
// a mark that opens any sentence but the first, so such a mark is sent with the word after it instead.
class MarkupBookmarks {
public:
    // Only marks at or after fromOffset (UTF-16) count: synthesis starts there.
    MarkupBookmarks(const QString& text, bool markup, int fromOffset);

    // The synthesizer reported the mark name: the marks before it that it skipped, then name itself.
    QStringList reported(const QString& name);
    // The marks before utf16Offset that have not been reported.
    QStringList before(int utf16Offset);

private:
    struct Mark {
        int offset;
        QString name;
    };
    std::deque<Mark> m_pending;
};

} // namespace speech
