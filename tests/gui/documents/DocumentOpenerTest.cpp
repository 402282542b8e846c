#include "gui/documents/DocumentOpener.h"
#include "base/core/TestFiles.h"
#include "engine/pdf/DocumentFile.h"
#include "gui/form/TextBox.h"
#include "support/MessageRecorder.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Opened or dropped: a web page with two headings, a damaged EPUB, a text file and binary data.
TEST(DocumentOpener, DocumentsReplaceOrJoinTheTextAndAFailureChangesNothing)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("brief.html"), "<html><head><title>Brief</title></head><body><h1>Anrede</h1><p>Liebe "
                                          "Anna,</p><h2>Schluss</h2><p>Gruß</p></body></html>");
    writeFile(dir.filePath("kaputt.epub"), "PK\3\4 kein Buch");
    writeFile(dir.filePath("notiz.txt"), "Notiz\r\n");
    writeFile(dir.filePath("bild.bin"), QByteArray("\x89PNG\0\0", 6));
    QWidget window;
    form::TextBox box(&window);
    documents::OpenedDocument opened;
    documents::DocumentOpener opener(&window, &box, opened, documents::readDocumentFile);
    const QString old = QStringLiteral("alt\r\nText"),
                  letter = QStringLiteral("Anrede\r\nLiebe Anna,\r\nSchluss\r\nGruß");

    const struct {
        const char* file;
        bool drop; // else opened
        QString text;
        const char* message; // what the one box says after the file's name, or no box
    } cases[] = {
        {"brief.html", false, letter, nullptr},
        {"kaputt.epub", false, old, "'' kann nicht gelesen werden: Das Dokument ist beschädigt"},
        {"brief.html", true, letter + old, nullptr},
        {"notiz.txt", true, "Notiz\r\n" + old, nullptr},
        {"bild.bin", true, old, "'' ist keine lesbare Textdatei."},
        {"kaputt.epub", true, old, "'' kann nicht gelesen werden: Das Dokument ist beschädigt"},
    };
    for (const auto& c : cases) {
        MessageRecorder boxes;
        box.setText(old);
        const QString path = dir.filePath(QLatin1String(c.file));
        if (c.drop) {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(path)});
            for (const QEvent::Type type : {QEvent::DragEnter, QEvent::DragMove, QEvent::Drop}) {
                QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier, type);
                QCoreApplication::sendEvent(box.editor()->viewport(), &event);
            }
        } else {
            EXPECT_EQ(opener.open(path), !c.message);
        }
        EXPECT_EQ(box.text().toStdString(), c.text.toStdString()) << c.file;
        ASSERT_EQ(boxes.messages().size(), c.message ? 1 : 0) << c.file;
        if (c.message) {
            EXPECT_TRUE(boxes.messages()[0].text.startsWith("  Datei ''" + path + QString::fromUtf8(c.message)));
        }
        if (!c.drop && !c.message) { // one undo step back; the chapters hold for the text as it was opened
            EXPECT_TRUE(opened.heldBy(box.text()));
            EXPECT_EQ(opened.chapters, (QList<documents::Chapter>{{0, "Anrede"}, {21, "Schluss"}}));
            box.editor()->undo();
            EXPECT_EQ(box.text(), old);
        }
    }
}
