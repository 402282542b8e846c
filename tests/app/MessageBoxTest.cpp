#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

TEST(MessageBox, RecorderSeesTheMessageAndAnswersIt)
{
    MessageRecorder recorder;
    recorder.answerNext(app::MessageAnswer::No);
    const auto answer = app::showMessage({" ACHTUNG:", "  Eintrag löschen?  ", app::MessageButtons::YesNo,
                                          app::MessageIcon::Exclamation, app::MessageAnswer::No});
    EXPECT_EQ(answer, app::MessageAnswer::No);
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_EQ(recorder.messages().first().title, " ACHTUNG:");
    // Without a preset answer the default answer is taken.
    EXPECT_EQ(app::showMessage({"t", "x", app::MessageButtons::YesNo, app::MessageIcon::None, app::MessageAnswer::Yes}),
              app::MessageAnswer::Yes);
}
