#include "base/audiobook/ChapterNames.h"
#include "base/audiobook/ChapterSplitter.h"
#include "base/audiobook/Playlist.h"
#include "base/audiobook/TagValues.h"
#include "base/core/Version.h"

#include <gtest/gtest.h>

#include <functional>

using namespace audiobook;

namespace {

// Chapters as "title|text" lines, CR and LF shown.
QString shown(const QList<Chapter>& chapters)
{
    QStringList lines;
    for (const Chapter& chapter : chapters)
        lines.append(chapter.title + u'|' + QString(chapter.text).replace("\r", "\\r").replace("\n", "\\n"));
    return lines.join(u'\n');
}

QString shown(const TagValues& v)
{
    return QStringLiteral("%1|%2|%3|%4/%5|%6")
        .arg(v.title, v.album, v.artist)
        .arg(v.track)
        .arg(v.trackTotal)
        .arg(v.encoder);
}

struct BookCase {
    const char* name;
    std::function<QString()> actual;
    QString expected;
};

class BookFiles : public ::testing::TestWithParam<BookCase> {};

TEST_P(BookFiles, AreSplitNamedAndListed)
{
    EXPECT_EQ(GetParam().actual(), GetParam().expected) << GetParam().name;
}

const QString kEncoder = QStringLiteral("Sprechkit ") + core::GetProgVer();

INSTANTIATE_TEST_SUITE_P(
    Cases, BookFiles,
    ::testing::Values(
        BookCase{"a text without chapter lines is one chapter",
                 [] { return shown(splitMarkedChapters("Text\n#Kein Kapitel\n## Auch nicht\n#  \nEnde")); },
                 "|Text\\n#Kein Kapitel\\n## Auch nicht\\n#  \\nEnde"},
        BookCase{"chapter lines: the marker is not read, the title is a sentence; a preface of its own",
                 [] { return shown(splitMarkedChapters("Vorwort.\r\n# Eins \r\nA.\r\n# Zwei?\nB.\n# 3\n")); },
                 "|Vorwort.\\r\\n\nEins|Eins.\\r\\nA.\\r\\n\nZwei?|Zwei?\\nB.\\n\n3|3.\\n"},
        BookCase{"no preface of blanks alone", [] { return shown(splitMarkedChapters("\n \n# Eins\nA")); },
                 "Eins|Eins.\\nA"},
        BookCase{"starts from a reader: sorted, clamped, once each, blank parts left out",
                 [] {
                     return shown(cutChapters("Titel  Eins. Zwei.  ",
                                              {{13, "2"}, {7, "1"}, {-5, "0"}, {7, "doppelt"}, {18, "leer"}}));
                 },
                 "0|Titel  \n1|Eins. \n2|Zwei."},
        BookCase{"no starts: the whole text", [] { return shown(cutChapters("  ", {})); }, "|  "},
        BookCase{"chapter file names sort in order",
                 [] {
                     return QStringList{chapterPath("/b/buch.mp3", 1, 9), chapterPath("/b/buch.mp3", 99, 99),
                                        chapterPath("/b/buch.mp3", 7, 100), chapterPath("re.v2/buch", 1, 1),
                                        playlistPath("/b/buch.ogg")}
                         .join(u' ');
                 },
                 "/b/buch-01.mp3 /b/buch-99.mp3 /b/buch-007.mp3 re.v2/buch-01 /b/buch.m3u"},
        BookCase{"playlist: relative names, whole seconds, titles on one line",
                 [] {
                     return QString::fromUtf8(
                         playlistFile("/b/buch.m3u", {{"/b/buch-01.mp3", "Eins,\nzwei", 33075, 22050},
                                                      {"/b/#2.mp3", "Zwei", 100, 0}}));
                 },
                 "#EXTM3U\n#EXTINF:2,Eins, zwei\nbuch-01.mp3\n#EXTINF:-1,Zwei\n./#2.mp3\n"},
        BookCase{"tags: the chapter's heading, the document's title",
                 [] {
                     return shown(tagValues({"Kapitel 1", "Das Buch", "/x/buch.epub", "Anna", "Text", false, 1, 3}));
                 },
                 "Kapitel 1|Das Buch|Anna|1/3|" + kEncoder},
        BookCase{"tags: no heading, no title: the first words and the file's name",
                 [] {
                     return shown(tagValues({"", "", "/x/mein.buch.txt", "Anna",
                                             "<p>Es war  einmal ein König, der hatte drei Töchter.</p>", true, 0, 0}));
                 },
                 "Es war einmal ein König, der hatte drei|mein.buch|Anna|0/0|" + kEncoder},
        BookCase{"tags: a first word longer than a title is cut",
                 [] { return firstWords(QString(50, u'x') + " y", false, 40); }, QString(40, u'x')}));

} // namespace
