#pragma once

#include <QString>

namespace audiobook {

// What an exported file is tagged with. A track of 0 is not written.
struct TagValues {
    QString title;
    QString album;
    QString artist;
    int track = 0;
    int trackTotal = 0;
    QString encoder;
};

// What the tags are made from.
struct TagSources {
    QString chapterTitle;  // the chapter's heading, if any
    QString documentTitle; // the document's own title, if any
    QString fileName;      // the document's file, or the target's when the text came from elsewhere
    QString voiceName;
    QString text; // the chapter's spoken text
    bool markup = false;
    int track = 0; // 1-based chapter number, 0 for a book in one file
    int trackTotal = 0;
};

// Title: the chapter's heading, else the document's title, else the text's first words. Album: the document's
// title, else the file's name without folder and extension. Artist: the voice. Encoder: the program and its
// version.
TagValues tagValues(const TagSources& sources);

// The first words of a text (tags left out in markup), at most maxLength characters, cut at a blank; a first word
// longer than that is cut.
QString firstWords(const QString& text, bool markup, int maxLength = 40);

// "Sprechkit 1.00"
QString encoderName();

} // namespace audiobook
