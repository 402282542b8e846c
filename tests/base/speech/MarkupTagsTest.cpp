#include "base/speech/MarkupTags.h"
#include "base/speech/Voice.h"

#include <gtest/gtest.h>

// A text whose markup the synthesizer cannot read used to be dropped without a sound: a tag that never ends
// swallows the rest. Without a flag such a text is spoken as it stands; with the markup flag the speak fails.
TEST(MarkupTags, ATextIsMarkupOnlyWhenItBeginsWithATagAndEveryTagEnds)
{
    using speech::MarkupTags;
    const QString longestTag = QStringLiteral("<b") + QString(MarkupTags::kLongestTag - 1, u'x') + u'>';
    const struct {
        QString text;
        speech::SpeakFlags flags;
        int expected; // 1 markup, 0 plain text, -1 the speak fails
    } cases[] = {
        {QStringLiteral("<speak>Hallo <mark name=\"a\"/>Welt</speak>"), {}, 1},
        {QStringLiteral("<Ich liebe dich, bis morgen."), {}, 0},
        {QStringLiteral("<5 Grad heute"), {}, 0},
        {QStringLiteral("<_x> Welt"), {}, 0},
        {QStringLiteral("<b>Hallo</b> und dann <Welt"), {}, 0},
        {QStringLiteral("<!-- a > b --> Welt"), {}, 1},
        {longestTag + QStringLiteral(" Welt"), {}, 1},
        {QStringLiteral("<bx") + longestTag.mid(2) + QStringLiteral(" Welt"), {}, 0},
        {QStringLiteral("<speak>Welt</speak>"), speech::SpeakIsNotXML, 0},
        {QStringLiteral("Preis < 5 Euro"), speech::SpeakIsXML, 1},
        {QStringLiteral("<speak>Hallo <Welt"), speech::SpeakIsXML, -1},
    };
    for (const auto& c : cases) {
        const core::ResultOf<bool> markup = MarkupTags::isMarkup(c.text, c.flags);
        EXPECT_EQ(markup ? int(markup.value()) : -1, c.expected) << c.text.left(40).toStdString();
        if (!markup) {
            EXPECT_EQ(markup.error(), QStringLiteral("The markup cannot be read: the tag at character 14 (\"<Welt\") "
                                                     "has no \">\" within 500 characters."));
        }
    }
}
