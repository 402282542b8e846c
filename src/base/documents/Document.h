#pragma once

#include <QList>
#include <QString>

namespace documents {

// What a file holds, as far as reading it is concerned.
enum class Kind { Unknown, Text, Pdf, Epub, Odt, Docx, Html, Markdown, Rtf };

// A heading: where its text starts in the document's text (a UTF-16 offset) and what it says.
struct Chapter {
    int position = 0;
    QString title;

    bool operator==(const Chapter&) const = default;
};

// A document as text: paragraphs end with "\n", chapters in ascending order of position.
struct Document {
    QString text;
    QList<Chapter> chapters;
    QString title; // the document's own title from its metadata, may be empty
    Kind kind = Kind::Unknown;
};

} // namespace documents
