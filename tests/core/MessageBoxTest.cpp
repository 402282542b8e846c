#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

TEST(MessageBox, RecorderSeesTheMessageAndAnswersIt)
{
    MessageRecorder recorder;
    recorder.answerNext(core::MessageAnswer::No);
    const auto answer = core::showMessage({" ACHTUNG:", "  Eintrag löschen?  ", core::MessageButtons::YesNo,
                                           core::MessageIcon::Exclamation, core::MessageAnswer::No});
    EXPECT_EQ(answer, core::MessageAnswer::No);
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_EQ(recorder.messages().first().title, " ACHTUNG:");
    // Without a preset answer the default answer is taken.
    EXPECT_EQ(
        core::showMessage({"t", "x", core::MessageButtons::YesNo, core::MessageIcon::None, core::MessageAnswer::Yes}),
        core::MessageAnswer::Yes);
}
