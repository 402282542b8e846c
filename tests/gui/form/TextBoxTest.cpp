#include "gui/form/TextBox.h"
#include "base/core/TestFiles.h"
#include "support/MessageRecorder.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(TextBox, KeepsTheExactStringAndSelectsByItsOffsets)
{
    form::TextBox box;
    const QString text = QStringLiteral("Grüß\r\ndich 😀 und\r\n\r\nEnde");
    box.setText(text);
    EXPECT_EQ(box.text(), text); // CR LF kept, although the widget shows one break

    const std::tuple<qsizetype, qsizetype, QString> cases[] = {
        {0, 4, QStringLiteral("Grüß")}, {6, 4, QStringLiteral("dich")},
        {11, 2, QStringLiteral("😀")}, // a surrogate pair
        {14, 3, QStringLiteral("und")}, {21, 4, QStringLiteral("Ende")},
    };
    for (const auto& [start, length, selected] : cases) {
        ASSERT_TRUE(box.setSelection(start, length));
        EXPECT_EQ(box.editor()->textCursor().selectedText(), selected) << start;
        EXPECT_EQ(std::pair(box.selectionStart(), box.selectionLength()), std::pair(start, length));
    }
    EXPECT_FALSE(box.setSelection(text.size() + 1, 0));
    box.moveCaretToEnd();
    EXPECT_EQ(box.selectionStart(), text.size());
}

TEST(TextBox, LockBlocksTheUserButNotTheProgram)
{
    form::TextBox box;
    box.setText(QStringLiteral("abc"));
    box.setLocked(true);
    box.moveCaretToEnd();
    QTest::keyClicks(box.editor(), QStringLiteral("xyz"));
    EXPECT_EQ(box.text(), QStringLiteral("abc"));
    box.setText(QStringLiteral("neu"));
    EXPECT_EQ(box.text(), QStringLiteral("neu"));

    box.setLocked(false);
    box.moveCaretToEnd();
    QTest::keyClick(box.editor(), Qt::Key_Return);
    QTest::keyClicks(box.editor(), QStringLiteral("x"));
    EXPECT_EQ(box.text(), QStringLiteral("neu\r\nx")); // typed line breaks become CR LF
}

TEST(TextBox, DroppedTextFilesPutTheirDecodedTextThereAndDroppedTextStaysText)
{
    QTemporaryDir dir;
    const auto file = [&](const char* name, const QByteArray& bytes) {
        writeFile(dir.filePath(QLatin1String(name)), bytes);
        return QUrl::fromLocalFile(dir.filePath(QLatin1String(name)));
    };
    const struct {
        QList<QUrl> files; // plain text "einfach Text" when empty
        QString result;
    } cases[] = {
        {{file("a.txt", "Grüße\naus Köln\n"), file("b.txt", "Stra\xdf"
                                                            "e \x80\r\n")},
         QStringLiteral("Grüße\r\naus Köln\r\nStraße €\r\n")},
        {{file("c.bin", QByteArray("PK\0\3", 4))}, QString()}, // refused with a message
        {{}, QStringLiteral("einfach Text")},
    };
    for (const auto& c : cases) {
        form::TextBox box;
        MessageRecorder boxes;
        QMimeData mime;
        c.files.isEmpty() ? mime.setText(QStringLiteral("einfach Text")) : mime.setUrls(c.files);
        for (const QEvent::Type type : {QEvent::DragEnter, QEvent::DragMove, QEvent::Drop}) {
            QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier, type);
            QCoreApplication::sendEvent(box.editor()->viewport(), &event);
        }
        EXPECT_EQ(box.text(), c.result);
        EXPECT_EQ(boxes.messages().size(), c.result.isEmpty() ? 1 : 0);
    }
}
