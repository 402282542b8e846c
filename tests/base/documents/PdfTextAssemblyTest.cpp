#include "base/documents/PdfTextAssembly.h"

#include <gtest/gtest.h>

namespace {

constexpr double kCharWidth = 6;

// A line of words at (x, y): each character 6 points wide, `height` points high.
QList<documents::PdfWord> line(const QString& text, double y, double x = 72, double height = 10)
{
    QList<documents::PdfWord> words;
    for (const QString& word : text.split(u' ')) {
        words.append({word, QRectF(x, y, word.size() * kCharWidth, height), true, false});
        x += (word.size() + 1) * kCharWidth;
    }
    words.last().spaceAfter = false;
    words.last().lineEnd = true;
    return words;
}

documents::PdfPage page(int number, const QList<QList<documents::PdfWord>>& body)
{
    documents::PdfPage page{QSizeF(612, 792), line("Jahresbericht 2024", 30)};
    for (const auto& words : body)
        page.words += words;
    page.words += line(QStringLiteral("- %1 -").arg(number), 760, 290);
    return page;
}

} // namespace

TEST(PdfTextAssembly, JoinsLinesAndHyphenatedWordsDropsRunningLinesAndPlacesOutlineChapters)
{
    // Body lines of one paragraph are about 40 characters wide; a paragraph's last line ends early.
    const QList<documents::PdfPage> pages = {
        page(1, {line("Einleitung", 100, 72, 16), line("Die neue und bessere sichere Sprach-", 130),
                 line("ausgabe liest Texte zur Nord- und Ost-", 142), line("und Südsee vor, wie es das alte Max-", 154),
                 line("Planck-Institut mit \uFB01naler Ausgabe", 166), line("fordert.", 178),
                 line("Zweiter Absatz.", 200)}),
        page(2, {line("Fortsetzung auf Seite zwei.", 100), line("Geteilte", 200), line("Zeile", 200, 140)}),
        page(3, {line("Schluss", 100, 72, 16), line("Ende.", 130)}),
    };
    const QList<documents::PdfOutlineEntry> outline = {
        {"Einleitung", 0, -1, 1}, {"Zweiter Teil", 1, 0.24, 2}, {"Tief", 1, -1, 3}, {"Schluss", 2, -1, 1}};
    const auto document = documents::assemblePdfText(pages, outline, "Bericht");
    ASSERT_TRUE(document.ok()) << document.error().toStdString();
    EXPECT_EQ(document.value().text,
              "Einleitung\nDie neue und bessere sichere Sprachausgabe liest Texte zur Nord- und Ost- und Südsee vor, "
              "wie es das alte Max-Planck-Institut mit finaler Ausgabe fordert.\nZweiter Absatz.\n"
              "Fortsetzung auf Seite zwei.\nGeteilte Zeile\nSchluss\nEnde.");
    const std::pair<QString, QString> chapters[] = {
        {"Einleitung", "Einleitung"}, {"Zweiter Teil", "Geteilte"}, {"Schluss", "Schluss"}};
    ASSERT_EQ(document.value().chapters.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(document.value().chapters[i].title, chapters[i].first);
        EXPECT_TRUE(document.value().text.mid(document.value().chapters[i].position).startsWith(chapters[i].second));
    }
    EXPECT_EQ(documents::assemblePdfText({documents::PdfPage()}, {}).error().toStdString(),
              "The document contains no text");
}
