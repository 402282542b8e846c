#include "base/speech/SentenceSplitter.h"

#include <gtest/gtest.h>

using speech::SentenceSplitter;

namespace {

QStringList sentencesOf(const QString& text)
{
    QStringList result;
    for (const speech::TextRange& range : SentenceSplitter::split(text))
        result.append(text.mid(range.start, range.length));
    return result;
}

struct SplitCase {
    const char* name;
    const char* text;
    QStringList expected;
};

class SentenceSplitterTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SentenceSplitterTable, FindsTheSentencesAReaderSees)
{
    const SplitCase& c = GetParam();
    EXPECT_EQ(sentencesOf(QString::fromUtf8(c.text)), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SentenceSplitterTable,
    ::testing::Values(
        SplitCase{"title", "Dr. Müller kommt. Er ist da.", {"Dr. Müller kommt.", "Er ist da."}},
        SplitCase{
            "dotted abbreviation", "Obst, z.B. Äpfel usw. schmeckt. Gut.", {"Obst, z.B. Äpfel usw. schmeckt.", "Gut."}},
        SplitCase{"abbreviation at sentence start", "Z.B. so. Ende.", {"Z.B. so.", "Ende."}},
        SplitCase{"more abbreviations",
                  "Ca. drei bzw. vier Std. lang, vgl. Nr. 5. Fertig.",
                  {"Ca. drei bzw. vier Std. lang, vgl. Nr. 5.", "Fertig."}},
        SplitCase{"dates and ordinals",
                  "Am 3. Oktober und am 3.10. um 12 Uhr. Er wurde 1990. Dann nicht.",
                  {"Am 3. Oktober und am 3.10. um 12 Uhr.", "Er wurde 1990.", "Dann nicht."}},
        SplitCase{"initials", "J. S. Bach schrieb viel. Ja.", {"J. S. Bach schrieb viel.", "Ja."}},
        SplitCase{
            "no blank after the point", "Version 3.5 ist da.www.example.de", {"Version 3.5 ist da.www.example.de"}},
        SplitCase{"line ends", "Eins.\r\nZwei.\nDrei", {"Eins.", "Zwei.", "Drei"}},
        SplitCase{"closing quote", "Er rief: „Halt!“ Dann ging er.", {"Er rief: „Halt!“", "Dann ging er."}},
        SplitCase{"repeated marks", "Wirklich?! Ja... Gut.", {"Wirklich?!", "Ja...", "Gut."}},
        SplitCase{"abbreviation in brackets", "Siehe (vgl. oben) hier. Ende.", {"Siehe (vgl. oben) hier.", "Ende."}},
        SplitCase{"leading and trailing blanks", "  Eins.   Zwei  ", {"Eins.", "Zwei"}},
        SplitCase{"only blanks", "  \r\n ", {}}, SplitCase{"empty", "", {}}));

TEST(SentenceSplitter, IndexAtGivesTheSentenceHoldingAnOffsetOrTheOneBeforeTheGap)
{
    const QList<speech::TextRange> ranges = SentenceSplitter::split(QStringLiteral("Ab.  Cd. Ef."));
    ASSERT_EQ(ranges.size(), 3);
    EXPECT_EQ(ranges.at(1), (speech::TextRange{5, 3})); // the blanks between belong to no sentence
    EXPECT_EQ(SentenceSplitter::indexAt(ranges, 4), 0); // in the gap
    EXPECT_EQ(SentenceSplitter::indexAt(ranges, 5), 1);
    EXPECT_EQ(SentenceSplitter::indexAt(ranges, 100), 2);
    EXPECT_EQ(SentenceSplitter::indexAt({}, 3), 0);
}

} // namespace
