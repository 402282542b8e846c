#pragma once

#include <QByteArray>
#include <QString>

namespace audiobook {

// A spoken text as a reader sees it. In markup mode a tag opens with "<" and a name, "/", "!" or "?" and runs to
// the next ">" within 4096 characters, as the synthesizer reads it; tags are no text, and character references
// ("&amp;", "&#228;") stand for their character.
class MarkupText {
public:
    MarkupText(const QString& text, bool markup);

    // The text with every tag turned into blanks: as long as the text, so offsets stay the text's.
    const QString& visible() const { return m_visible; }
    // What [from, to) reads as: without tags, references decoded, each run of blanks one space, trimmed.
    QString readable(int from, int to) const;

private:
    QString m_text;
    QString m_visible;
    QByteArray m_tag; // 1 for each code unit inside a tag
    bool m_markup = false;
};

} // namespace audiobook
