#include "base/speech/TextPositionMapper.h"

#include <gtest/gtest.h>

using speech::TextPositionMapper;
using speech::TextRange;

namespace {

struct WordCase {
    const char* name;
    const char* text;
    bool markup;
    int offset;
    TextRange expected;
};

class WordAtTable : public ::testing::TestWithParam<WordCase> {};

TEST_P(WordAtTable, SnapsToTheBlankDelimitedWord)
{
    const WordCase& c = GetParam();
    TextPositionMapper mapper(QString::fromUtf8(c.text), c.markup);
    EXPECT_EQ(mapper.wordAt(c.offset), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WordAtTable,
    ::testing::Values(WordCase{"word start", "Hallo Welt", false, 6, {6, 4}},
                      WordCase{"inside a word", "Hallo Welt", false, 8, {6, 4}},
                      WordCase{"part of an abbreviation", "etwa z.B. so", false, 7, {5, 4}},
                      WordCase{"on a blank takes the next word", "ab   cd", false, 3, {5, 2}},
                      WordCase{"trailing blanks give nothing", "ab   ", false, 3, {5, 0}},
                      WordCase{"line break", "ab\r\ncd", false, 2, {4, 2}},
                      WordCase{"long word", "Donaudampfschifffahrtsgesellschaftskapitän x", false, 31, {0, 42}},
                      WordCase{"tag before the word", "<speak><mark name=\"a\"/>Wort</speak>", true, 9, {23, 4}},
                      WordCase{"tag after the word", "<speak>Wort</speak>", true, 8, {7, 4}},
                      WordCase{"markup ignored in plain text", "a<b>c d", false, 1, {0, 5}},
                      WordCase{"lone less-than at the start is no tag", "<5 Grad heute.", true, 0, {1, 1}},
                      WordCase{"lone less-than before a number", "Preis < 5 Euro", true, 6, {8, 1}},
                      WordCase{"words after a lone less-than", "<5 Grad. Morgen", true, 9, {9, 6}},
                      WordCase{"less-than underscore is no tag", "<_x> Wort", true, 0, {1, 2}}));

} // namespace
