#pragma once

#include "base/core/Result.h"
#include "base/documents/Document.h"
#include "base/documents/OpenedDocument.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;
namespace form {
class TextBox;
}

namespace documents {

// Reads a document file of any kind: readDocumentFile() in the program, a stand-in where a test wants one.
using FileReader = std::function<core::ResultOf<Document>(const QString& path)>;

// Documents in the window. Ctrl+O asks for a file ("Dokument öffnen") whose text replaces the text box's text as
// one undo step; a document dropped on the text box puts its text where it is dropped (text files and files no
// reader takes stay the text box's own). A file that cannot be read is shown in a " FEHLER:" box and changes
// nothing. The document last opened is kept, with its chapters, in the OpenedDocument handed in.
//
// Works on: the window (shortcut and dialog), the text box, the OpenedDocument to fill and a file reader.
class DocumentOpener : public QObject {
    Q_OBJECT
public:
    DocumentOpener(QWidget* window, form::TextBox* textBox, OpenedDocument& opened, FileReader reader);

    // Asks for a document with the file dialog and opens it; does nothing when the dialog is cancelled, or while
    // the text box is locked (speaking).
    void chooseAndOpen();
    // Replaces the text box's text with the document's. False, after the error box, when it cannot be read.
    bool open(const QString& path);

    // The file dialog's filters: every readable kind, one per kind, then every file (the kind is then taken from
    // the content).
    static QStringList fileFilters();

private:
    std::optional<QString> dropped(const QString& path);
    core::ResultOf<Document> read(const QString& path) const;
    static void showFailure(const QString& path, const QString& reason);

    QWidget* m_window;
    form::TextBox* m_textBox;
    OpenedDocument& m_opened;
    FileReader m_reader;
    QString m_folder; // where the dialog opens: the folder of the document last chosen
};

} // namespace documents
