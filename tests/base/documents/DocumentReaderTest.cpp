#include "base/documents/DocumentReader.h"
#include "base/documents/DocumentKind.h"
#include "base/documents/DocumentProblem.h"
#include "base/documents/TextBuilder.h"
#include "base/documents/ZipMaker.h"

#include <gtest/gtest.h>

namespace {

// An EPUB whose package lists `items` ({id, href}) in its manifest and spine, "nav" as the navigation document
// and "notes" as not linear.
QByteArray makeEpub(const QList<std::pair<QString, QString>>& items, const QList<ZipEntry>& files)
{
    QString manifest, spine;
    for (const auto& [id, href] : items) {
        manifest += QStringLiteral("<item id=\"%1\" href=\"%2\" media-type=\"application/xhtml+xml\"%3/>")
                        .arg(id, href, id == u"nav" ? QStringLiteral(" properties=\"nav\"") : QString());
        spine += QStringLiteral("<itemref idref=\"%1\"%2/>").arg(id, id == u"notes" ? " linear=\"no\"" : "");
    }
    const QString package = QStringLiteral("<package xmlns=\"http://www.idpf.org/2007/opf\"><metadata xmlns:dc=\"http:"
                                           "//purl.org/dc/elements/1.1/\"><dc:title>Das Buch</dc:title></metadata>"
                                           "<manifest>%1</manifest><spine>%2</spine></package>")
                                .arg(manifest, spine);
    const QByteArray container = "<container><rootfiles><rootfile full-path=\"OEBPS/content.opf\" "
                                 "media-type=\"application/oebps-package+xml\"/></rootfiles></container>";
    return makeZip(QList<ZipEntry>{{"mimetype", "application/epub+zip"},
                                   {"META-INF/container.xml", container},
                                   {"OEBPS/content.opf", package.toUtf8()}} +
                   files);
}

QByteArray xhtml(const QString& body)
{
    return ("<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\"><head><title>x"
            "</title><style>p {}</style></head><body>" +
            body + "</body></html>")
        .toUtf8();
}

QByteArray makeOdt(const QString& text)
{
    const QString content = "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                            " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" xmlns:table=\"urn:oasis:"
                            "names:tc:opendocument:xmlns:table:1.0\"><office:body><office:text>" +
                            text + "</office:text></office:body></office:document-content>";
    const QByteArray meta = "<m xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Quartal</dc:title></m>";
    return makeZip({{"mimetype", "application/vnd.oasis.opendocument.text"},
                    {"content.xml", content.toUtf8()},
                    {"meta.xml", meta}});
}

QByteArray makeDocx(const QString& body)
{
    const QString w = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    return makeZip(
        {{"[Content_Types].xml", "<Types/>"},
         {"word/document.xml", ("<w:document " + w + "><w:body>" + body + "</w:body></w:document>").toUtf8()},
         {"word/styles.xml", ("<w:styles " + w +
                              "><w:style w:styleId=\"berschrift1\"><w:name w:val="
                              "\"heading 1\"/></w:style></w:styles>")
                                 .toUtf8()},
         {"docProps/core.xml", "<c xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Bilanz"
                               "</dc:title></c>"}});
}

QString docxParagraph(const QString& properties, const QString& runs)
{
    return "<w:p><w:pPr>" + properties + "</w:pPr><w:r>" + runs + "</w:r></w:p>";
}

// A zip whose central directory declares another unpacked size for an entry, as a forged file does.
QByteArray withDeclaredSize(QByteArray zip, quint32 size, const QByteArray& entry)
{
    const qsizetype header = zip.lastIndexOf(entry) - 46; // the name follows the directory entry's fixed part
    EXPECT_TRUE(zip.mid(header, 4) == "PK\x01\x02");
    for (int i = 0; i < 4; ++i)
        zip[header + 24 + i] = char((size >> (8 * i)) & 0xFF);
    return zip;
}

core::ResultOf<documents::Document> read(const QByteArray& bytes, const QString& name)
{
    return documents::readDocument(bytes, documents::guessKind(bytes, name));
}

} // namespace

TEST(DocumentReader, ReadsEveryKindIntoTextTitleAndChapters)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        documents::Kind kind;
        QString text;
        QStringList chapters; // the titles; each chapter's position is where its title (or first line) starts
        QString title;
    };
    const QString odt = "<text:h text:outline-level=\"1\">Bericht</text:h>\n<text:p>Erster<text:s text:c=\"2\"/>Absatz"
                        "<text:note><text:note-body><text:p>Fußnote</text:p></text:note-body></text:note> endet."
                        "</text:p><text:h text:outline-level=\"3\">Unterpunkt</text:h><table:table><table:table-row>"
                        "<table:table-cell><text:p>A1</text:p></table:table-cell> <table:table-cell><text:p>B1</text:p>"
                        "<text:p>B2</text:p></table:table-cell></table:table-row></table:table><text:h text:outline-"
                        "level=\"2\">Teil <text:span>zwei</text:span></text:h><text:p>Zeile<text:line-break/>neu"
                        "<text:tab/>x</text:p>";
    const QString docx =
        docxParagraph("<w:pStyle w:val=\"berschrift1\"/>", "<w:t>Einleitung</w:t>") +
        "<w:p><w:r><w:t xml:space=\"preserve\">Ein </w:t><w:t>Satz</w:t><w:footnoteReference/></w:r>"
        "<w:del><w:r><w:delText>weg</w:delText></w:r></w:del><w:r><w:tab/><w:t>mit Tab</w:t><w:br/>"
        "<w:t>und Umbruch.</w:t></w:r></w:p><w:tbl><w:tr><w:tc><w:p><w:r><w:t>A</w:t></w:r></w:p></w:tc>"
        "<w:tc><w:p><w:r><w:t>B</w:t></w:r></w:p><w:p><w:r><w:t>C</w:t></w:r></w:p></w:tc></w:tr>"
        "</w:tbl>" +
        docxParagraph("<w:outlineLvl w:val=\"1\"/>", "<w:t>Schluss</w:t>") +
        docxParagraph("<w:pStyle w:val=\"Heading3\"/><w:tabs><w:tab/></w:tabs>", "<w:t>Klein</w:t>");
    const QByteArray html =
        "<!DOCTYPE html><html><head><title>Seite &amp; Titel</title><style>p {}</style><script>if (a < b) "
        "document.write('<p>x</p>')</script></head>\n<body><h1>Haupt&shy;teil</h1><p>Erster   Absatz<br>zweite Zeile"
        "<p>Zweiter &auml;&#x20AC;&#8364; <b>fett</b><a role=doc-noteref>1</a>\n<div hidden>versteckt</div><table>"
        "<tr><td>a<td>b</tr><tr><td>c</td><td>d</td></tr></table><h2>Ende</h2><pre>\n  Code\n  bleibt</pre><!-- <p>"
        "Kommentar --></body></html>";
    const QByteArray markdown = "---\ntitle: \"Notizen\"\n---\nTitel\n=====\n\nEin *betonter* und **fetter** Text mit "
                                "[Link](http://x.de \"T\") und ![Bild](b.png),\n`a*b*c`, snake_case_name und [Ref][r] "
                                "&amp; 2 * 3.\n\n[r]: http://y.de\n\n## Liste\n\n- Punkt eins\n1. Erster\n\n> Zitat\n\n"
                                "| A | B |\n|---|---|\n| 1 | 2 |\n\n```\ncode *bleibt*\n```\n";
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Times;}}{\\colortbl;"
        "\\red0\\green0\\blue0;}{\\info{\\title Der Brief}{\\author A}}{\\*\\generator X;}\n\\pard"
        "\\outlinelevel0 Anrede\\par\nGr\\'fc\\'dfe \\u8364?5 und {\\f1 \\'c4}\\line neu\\tab x\\par\n"
        "{\\pard\\intbl A\\par\\cell B\\cell\\row}{\\footer Fuß}}";
    const Case cases[] = {
        {"brief.txt",
         "Gr\xfc\xdf"
         "e\r\nZeile 2\r\n",
         documents::Kind::Text,
         "Grüße\nZeile 2",
         {},
         ""},
        {"buch.zip", // by content, not by name
         makeEpub(
             {{"nav", "nav.xhtml"}, {"one", "Text/eins.xhtml"}, {"notes", "n.xhtml"}, {"two", "Text/zwei%20b.xhtml"}},
             {{"OEBPS/nav.xhtml", xhtml("<nav>Inhalt</nav>")},
              {"OEBPS/n.xhtml", xhtml("<p>Anmerkung</p>")},
              {"OEBPS/Text/eins.xhtml", xhtml("<p>Vorwort&nbsp;hier</p><h1>Erstes <em>Kapitel</em></h1><p>Text"
                                              "<br/>neu</p><script>x()</script>")},
              {"OEBPS/Text/zwei b.xhtml", xhtml("<p>Ohne Überschrift</p><aside epub:type=\"footnote\">Fuß</aside>")}}),
         documents::Kind::Epub,
         "Vorwort\u00a0hier\nErstes Kapitel\nText\nneu\nOhne Überschrift",
         {"Erstes Kapitel", "Ohne Überschrift"},
         "Das Buch"},
        {"bericht.odt",
         makeOdt(odt),
         documents::Kind::Odt,
         "Bericht\nErster  Absatz endet.\nUnterpunkt\nA1\tB1 B2\nTeil zwei\nZeile\nneu\tx",
         {"Bericht", "Teil zwei"},
         "Quartal"},
        {"bilanz",
         makeDocx(docx),
         documents::Kind::Docx,
         "Einleitung\nEin Satz\tmit Tab\nund Umbruch.\nA\tB C\nSchluss\nKlein",
         {"Einleitung", "Schluss"},
         "Bilanz"},
        {"seite.txt",
         html,
         documents::Kind::Html,
         "Hauptteil\nErster Absatz\nzweite Zeile\nZweiter ä€€ fett\na\tb\nc\td\nEnde\n  Code\n  bleibt",
         {"Hauptteil", "Ende"},
         "Seite & Titel"},
        {"notiz.md",
         markdown,
         documents::Kind::Markdown,
         "Titel\nEin betonter und fetter Text mit Link und Bild, a*b*c, snake_case_name und Ref & 2 * 3.\nListe\n"
         "Punkt eins\n1. Erster\nZitat\nA\tB\n1\t2\ncode *bleibt*",
         {"Titel", "Liste"},
         "Notizen"},
        {"brief.doc", rtf, documents::Kind::Rtf, "Anrede\nGrüße €5 und Д\nneu\tx\nA\tB", {"Anrede"}, "Der Brief"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto document = read(c.bytes, QString::fromUtf8(c.name));
        ASSERT_TRUE(document.ok()) << document.error().toStdString();
        EXPECT_EQ(document.value().kind, c.kind);
        EXPECT_EQ(document.value().text, c.text);
        EXPECT_EQ(document.value().title, c.title);
        QStringList titles;
        for (const documents::Chapter& chapter : document.value().chapters) {
            titles.append(chapter.title);
            EXPECT_TRUE(document.value().text.mid(chapter.position).startsWith(chapter.title)) << chapter.position;
        }
        EXPECT_EQ(titles, c.chapters);
    }
}

TEST(DocumentReader, RefusesBadInputWithAReason)
{
    const QString spine = "OEBPS/a.xhtml";
    // Entities that expand to a thousand times their size, and again: the parser's expansion limit stops them.
    const QByteArray laughs = "<!DOCTYPE l [<!ENTITY a \"" + QByteArray(1000, 'a') + "\"><!ENTITY b \"" +
                              QByteArray("&a;").repeated(1000) + "\">]><html><body><p>" +
                              QByteArray("&b;").repeated(1000) + "</p></body></html>";
    const QByteArray spaces =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\">" +
        QByteArray(300 * 1024, ' ') + "</office:document-content>";
    const std::pair<QByteArray, QString> cases[] = {
        {makeEpub({{"a", "a.xhtml"}}, {{spine, QByteArray(2 * 1024 * 1024, '\0')}}),
         "The container would unpack to too much data: OEBPS/a.xhtml packs at a ratio above 200"},
        {withDeclaredSize(makeOdt("<text:p>x</text:p>"), 0xF0000000, "content.xml"),
         "The container would unpack to too much data: more than 256 MB in total"},
        {withDeclaredSize(makeZip({{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", spaces}}),
                          100, "content.xml"),
         "The container would unpack to too much data: content.xml"},
        {makeOdt("<text:p>offen"), "Malformed XML: content.xml, line 1: Opening and ending tag mismatch."},
        {makeEpub({{"a", "a.xhtml"}}, {{spine, laughs}}), "Malformed XML: OEBPS/a.xhtml, line 1: Entity expands to "
                                                          "more characters than the entity expansion limit."},
        {makeEpub({{"a", "a.xhtml"}, {"b", "gone.xhtml"}}, {{spine, xhtml("<p>da</p>")}}),
         "The document names a missing file: OEBPS/gone.xhtml"},
        {makeEpub({{"a", "../../etc/passwd"}}, {}),
         "The document names a missing file: ../../etc/passwd (outside the book)"},
        {makeEpub({{"a", "a.xhtml"}}, {{spine, xhtml("<p>x</p>")},
                                       {"META-INF/encryption.xml", "<e><CipherReference URI=\"OEBPS/a.xhtml\"/></e>"}}),
         "The document is encrypted: OEBPS/a.xhtml"},
        {makeZip({{"daten.bin", "x"}}), "Unknown kind of document"},
        {QByteArray("\x7f"
                    "ELF\0\x01",
                    6),
         "Unknown kind of document"},
        {"<html><body><script>nur()</script></body></html>", "The document contains no text"},
    };
    for (const auto& [bytes, reason] : cases) {
        EXPECT_EQ(read(bytes, QStringLiteral("datei")).error().toStdString(), reason.toStdString());
    }
    EXPECT_EQ(read("PK\x03\x04kaputt", "bericht.docx").error().left(23).toStdString(), "The document is damaged");
    documents::TextBuilder small(5);
    small.addFlowing(u"sechs!");
    EXPECT_EQ(small.take(documents::Kind::Text).error().toStdString(), "The document's text is larger than 64 MB");
    EXPECT_EQ(documents::germanReason(documents::failure(documents::Problem::MissingFile, "a.xhtml").error()),
              "Eine genannte Datei fehlt: a.xhtml");
}
