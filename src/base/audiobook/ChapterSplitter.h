#pragma once

#include <QList>
#include <QString>

namespace audiobook {

struct Chapter {
    QString title; // empty for what comes before the first heading
    QString text;  // what is spoken
};

// Where a chapter starts (a UTF-16 offset into the text) and its heading, as a document reader finds them.
struct ChapterStart {
    int position = 0;
    QString title;
};

// Chapters of a plain text: each line that begins with "# " and a title starts one. The marker is not read out:
// the line becomes the title alone, with a full stop after a title that ends in a letter or digit, so that it is
// spoken as a sentence of its own and not run into the first sentence. Text before the first such line is a
// chapter without a title when it holds more than blanks. A text without such lines is one chapter.
QList<Chapter> splitMarkedChapters(const QString& text);

// Cuts the text at the starts (in any order; out of range clamped, repeated positions counted once). Text before
// the first start is a chapter without a title when it holds more than blanks; chapters of blanks alone are left
// out. No starts give one chapter of the whole text.
QList<Chapter> cutChapters(const QString& text, const QList<ChapterStart>& starts);

} // namespace audiobook
