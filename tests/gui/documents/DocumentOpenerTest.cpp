#include "gui/documents/DocumentOpener.h"
#include "core/TestFiles.h"
#include "engine/pdf/DocumentFile.h"
#include "form/TextBox.h"
#include "support/MessageRecorder.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// A web page with two headings, a damaged EPUB, a text file and binary data.
class DocumentOpenerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeFile(path("brief.html"), "<html><head><title>Brief</title><style>p{}</style></head><body><h1>Anrede"
                                      "</h1><p>Liebe Anna,</p><h2>Schluss</h2><p>Gruß</p></body></html>");
        writeFile(path("kaputt.epub"), "PK\3\4 kein Buch");
        writeFile(path("notiz.txt"), "Notiz\r\n");
        writeFile(path("bild.bin"), QByteArray("\x89PNG\0\0", 6));
        m_box.setText(QStringLiteral("alt\r\nText"));
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    void drop(const QString& name)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path(name))});
        for (const QEvent::Type type : {QEvent::DragEnter, QEvent::DragMove, QEvent::Drop}) {
            QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier, type);
            QCoreApplication::sendEvent(m_box.editor()->viewport(), &event);
        }
    }

    QTemporaryDir m_dir;
    QWidget m_window;
    form::TextBox m_box{&m_window};
    documents::OpenedDocument m_opened;
    documents::DocumentOpener m_opener{&m_window, &m_box, m_opened, documents::readDocumentFile};
    MessageRecorder m_boxes;
};

TEST_F(DocumentOpenerTest, OpenReplacesTheTextAsOneUndoStepAndKeepsTheChapters)
{
    ASSERT_TRUE(m_opener.open(path("brief.html")));
    const QString text = QStringLiteral("Anrede\r\nLiebe Anna,\r\nSchluss\r\nGruß");
    EXPECT_EQ(m_box.text().toStdString(), text.toStdString());
    EXPECT_TRUE(m_opened.heldBy(text));
    EXPECT_EQ(m_opened.chapters, (QList<documents::Chapter>{{0, "Anrede"}, {21, "Schluss"}}));

    // A failure says which file and why, and changes nothing.
    EXPECT_FALSE(m_opener.open(path("kaputt.epub")));
    EXPECT_EQ(m_box.text().toStdString(), text.toStdString());
    ASSERT_EQ(m_boxes.messages().size(), 1);
    EXPECT_EQ(m_boxes.messages()[0].title, " FEHLER:");
    EXPECT_TRUE(m_boxes.messages()[0].text.startsWith("  Datei ''" + path("kaputt.epub") +
                                                      "'' kann nicht gelesen werden: Das Dokument ist beschädigt"))
        << m_boxes.messages()[0].text.toStdString();

    m_box.editor()->undo();
    EXPECT_EQ(m_box.text(), QStringLiteral("alt\r\nText"));
}

TEST_F(DocumentOpenerTest, DroppedDocumentsPutTheirTextThereAndOtherFilesStayTheTextBoxs)
{
    const struct {
        const char* file;
        QString text;
        const char* message; // a part of the one box shown, or none
    } cases[] = {
        {"brief.html", "Anrede\r\nLiebe Anna,\r\nSchluss\r\nGrußalt\r\nText", nullptr},
        {"notiz.txt", "Notiz\r\nalt\r\nText", nullptr},
        {"bild.bin", "alt\r\nText", "'' ist keine lesbare Textdatei."},
        {"kaputt.epub", "alt\r\nText", "'' kann nicht gelesen werden: Das Dokument ist beschädigt"},
    };
    for (const auto& c : cases) {
        MessageRecorder boxes;
        m_box.setText(QStringLiteral("alt\r\nText"));
        drop(QLatin1String(c.file));
        EXPECT_EQ(m_box.text().toStdString(), c.text.toStdString()) << c.file;
        ASSERT_EQ(boxes.messages().size(), c.message ? 1 : 0) << c.file;
        if (c.message) {
            EXPECT_TRUE(boxes.messages()[0].text.contains(QLatin1String(c.file) + QString::fromUtf8(c.message)));
        }
    }
}

} // namespace
