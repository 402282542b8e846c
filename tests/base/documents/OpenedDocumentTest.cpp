#include "base/documents/OpenedDocument.h"
#include "base/documents/DocumentProblem.h"

#include <gtest/gtest.h>

TEST(OpenedDocument, ChaptersMoveWithTheLineBreaksTheTextBoxHolds)
{
    const documents::Document document{QStringLiteral("Titel\nEins\r\nzwei\rDrei\n"),
                                       {{0, "Titel"}, {6, "Eins"}, {17, "Drei"}, {22, "Ende"}},
                                       QStringLiteral("Buch"),
                                       documents::Kind::Epub};
    const documents::OpenedDocument opened = documents::openedDocument(document, QStringLiteral("/b/buch.epub"));
    EXPECT_EQ(opened.text, QStringLiteral("Titel\r\nEins\r\nzwei\r\nDrei\r\n"));
    EXPECT_EQ(opened.chapters, (QList<documents::Chapter>{{0, "Titel"}, {7, "Eins"}, {19, "Drei"}, {25, "Ende"}}));
    EXPECT_EQ(opened.title, QStringLiteral("Buch"));
    EXPECT_TRUE(opened.heldBy(opened.text));
    EXPECT_FALSE(opened.heldBy(opened.text + "x"));
    EXPECT_FALSE(documents::OpenedDocument().heldBy(QString()));
}

TEST(OpenedDocument, ReadFailuresNameTheFileAndTheReasonOnOneLine)
{
    using documents::Problem;
    const std::pair<core::Result, QString> cases[] = {
        {documents::failure(Problem::Encrypted), "  Datei ''a.pdf'' kann nicht gelesen werden: verschlüsselt    "},
        {documents::failure(Problem::NoText), "  Datei ''a.pdf'' kann nicht gelesen werden: enthält keinen Text    "},
        {documents::failure(Problem::MissingFile, "OEBPS/k2.xhtml"),
         "  Datei ''a.pdf'' kann nicht gelesen werden: Eine genannte Datei fehlt: OEBPS/k2.xhtml    "},
        {documents::failure(Problem::Unreadable, "it does not exist"), "  Datei ''a.pdf'' nicht gefunden ...    "},
        {documents::failure(Problem::Unreadable, "Permission denied"),
         "  Datei ''a.pdf'' kann nicht gelesen werden: Permission denied    "},
    };
    for (const auto& [failure, message] : cases)
        EXPECT_EQ(documents::readFailureMessage(QStringLiteral("a.pdf"), failure.error()), message);
}
