#include "base/speech/MarkupBookmarks.h"

#include <gtest/gtest.h>

// The synthesizer skips marks that open a sentence; the ones it reports and the words after the others bring them.
TEST(MarkupBookmarks, MarksTheSynthesizerSkipsComeWithTheNextMarkOrWord)
{
    const QString text = QStringLiteral(
        "<speak><mark name=\"a\"/>Eins. <mark  name='b'/>Zwei <mark name=\"c\"/>"
        "drei. <mark data-name=\"x\"/><!-- <mark name=\"x\"/> --><mark name=\"d\"/>vier <mark name=\"e\"/>");
    speech::MarkupBookmarks marks(text, true, 0);
    EXPECT_EQ(marks.reported("a"), QStringList{"a"});
    EXPECT_EQ(marks.reported("c"), (QStringList{"b", "c"}));
    EXPECT_EQ(marks.reported("unknown"), QStringList{"unknown"});
    EXPECT_EQ(marks.before(int(text.indexOf("vier"))), QStringList{"d"});
    EXPECT_EQ(marks.before(int(text.size())), QStringList{"e"});
    EXPECT_TRUE(speech::MarkupBookmarks(text, true, int(text.indexOf("Zwei"))).before(int(text.size())) ==
                (QStringList{"c", "d", "e"}));
    EXPECT_TRUE(speech::MarkupBookmarks(text, false, 0).before(int(text.size())).isEmpty());
}
