#pragma once

#include "base/documents/Document.h"

#include <QString>

namespace documents {

// The document whose text was last put into the text box, kept so that an export can split at its chapters and
// name its files after its title. Text and positions are those of the text box: line breaks as CR LF.
struct OpenedDocument {
    QString path;
    QString title;
    QString text;
    QList<Chapter> chapters;

    // The chapters hold only while the text box holds this text unchanged; an edit moves everything after it.
    bool heldBy(const QString& boxText) const { return !path.isEmpty() && boxText == text; }
    // The text with each chapter's heading on a line that begins with "# ": a save with chapters splits there, after
    // the preparation pass has moved every position, and does not read the marker out.
    QString withChapterMarks() const;
};

// The document as the text box holds it: every line break as CR LF, the chapters moved with their text.
OpenedDocument openedDocument(const Document& document, const QString& path);

// The German message, on one line, for a document file that could not be read: readDocumentFile's English reason
// in German, after the file's name.
QString readFailureMessage(const QString& path, const QString& englishReason);

} // namespace documents
