#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"
#include "base/documents/DocumentLimits.h"

#include <QString>
#include <QStringView>

namespace documents {

// Collects a document's text the way a reader lays it out: paragraphs end with a single "\n", blanks collapse
// where the source's white space does not count, and a heading becomes a chapter at the position of its first
// character. Text beyond the length limit is not kept; overflowed() then tells.
class TextBuilder {
public:
    explicit TextBuilder(qsizetype limit = kMaxTextLength);

    // Text whose white space runs count as one blank, none at the start of a line (HTML, ODF, RTF).
    void addFlowing(QStringView text);
    // Text taken as it is (code, preformatted text, Word runs): its blanks and line breaks stay.
    void addVerbatim(QStringView text);
    // A line break that always counts (<br>, \line): two in a row leave an empty line.
    void lineBreak();
    // The end of a paragraph or block: a line break unless the text is at the start of a line already.
    void blockBreak();
    // Between two table cells: a tab, once, before the next cell's text.
    void cellBreak();

    // Where the next character will stand; pending breaks are written first, so this is a line start after a
    // blockBreak(). Start a heading with it and end it with addChapterSince().
    qsizetype mark();
    // A chapter at `start` titled with the text written since, when that text holds anything.
    void addChapterSince(qsizetype start);
    // A chapter with a title of its own, when text follows (or already stands) at `start`.
    void addChapter(qsizetype start, const QString& title);

    const QString& text() const { return m_text; }
    qsizetype chapterCount() const { return m_chapters.size(); }
    bool overflowed() const { return m_overflowed; }
    // The text without trailing white space, with its chapters; a failure when it outgrew the limit or holds
    // nothing but white space.
    core::ResultOf<Document> take(Kind kind, const QString& title = QString());

private:
    enum class Pending { None, Blank, Tab };
    bool atLineStart() const;
    void flushPending();
    void append(QStringView text);

    QString m_text;
    QList<Chapter> m_chapters;
    qsizetype m_limit;
    Pending m_pending = Pending::None;
    bool m_pendingBreak = false;
    bool m_overflowed = false;
};

// The title a heading's text gives: white space simplified, soft hyphens dropped.
QString headingTitle(QStringView text);

} // namespace documents
