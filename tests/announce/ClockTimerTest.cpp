#include "announce/ClockTimer.h"
#include "announce/ClockTexts.h"
#include "support/SpeechRig.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using announce::Announcement;

TEST(ClockTexts, CaptionMarksAndWindowStates)
{
    struct Case {
        bool normal, admin, machine;
        const char* expected;
    };
    const Case cases[] = {
        {true, false, false, "SK Base  v1.00  .:.  07:05:09"},
        {true, true, true, "SK Base ^  v1.00  .:.  07:05:09"},
        {true, false, true, "SK Base °  v1.00  .:.  07:05:09"},
        {false, true, false, "SK Base"},
    };
    for (const Case& c : cases) {
        const announce::CaptionParts parts{
            QStringLiteral("SK "), QStringLiteral("Base"), QStringLiteral("1.00"), c.normal, c.admin, c.machine};
        EXPECT_EQ(announce::captionText(parts, QTime(7, 5, 9)), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(announce::autoFileName(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))),
              QStringLiteral("SpeechOut 20260102-030405 .wav"));
}

TEST(ClockTexts, ScheduleAnnouncesOncePerFullHourMinuteOrMidnight)
{
    struct Case {
        QTime time;
        bool flag, messageOn, textEmpty, minutely;
        Announcement expected;
        bool flagAfter;
    };
    const Case cases[] = {
        {QTime(15, 0, 0), false, true, true, false, Announcement::Time, true},
        {QTime(15, 0, 0), true, true, true, false, Announcement::None, true}, // second tick of the same second
        {QTime(15, 0, 1), true, true, true, false, Announcement::None, false},
        {QTime(15, 1, 0), false, true, true, false, Announcement::None, false}, // hourly: not a full hour
        {QTime(15, 1, 0), false, true, true, true, Announcement::Time, true},
        {QTime(0, 0, 0), false, true, true, false, Announcement::DateAndTime, true},
        {QTime(0, 0, 0), false, true, true, true, Announcement::DateAndTime, true},
        {QTime(15, 0, 0), false, true, false, false, Announcement::None, false}, // text in the box
        {QTime(15, 0, 0), false, false, true, false, Announcement::None, false}, // switched off
    };
    for (const Case& c : cases) {
        const announce::ScheduleStep step =
            announce::scheduledAnnouncement({c.time, c.flag, c.messageOn, c.textEmpty, c.minutely});
        EXPECT_EQ(step.announcement, c.expected) << c.time.toString().toStdString();
        EXPECT_EQ(step.announcedFlag, c.flagAfter) << c.time.toString().toStdString();
    }
}

class ClockTimerTest : public ::testing::Test {
protected:
    void SetUp() override { rig.startUp(); }

    void tickAt(const QTime& time)
    {
        rig.clock.set(QDateTime(QDate(2026, 12, 5), time));
        timer.tick();
    }
    QStringList spoken() const
    {
        QStringList texts;
        for (const FakeVoice::Call& call : rig.voice.callsOf(QStringLiteral("speak")))
            texts << call.args[0].toString();
        texts.removeAll(QString()); // purges
        return texts;
    }
    void endSpeaking() { emit rig.voice.endStream(rig.voice.lastStreamNumber(), 0); }

    SpeechRig rig;
    form::Controls& c = rig.controls;
    int clipboardSteps = 0;
    announce::ClockTimer timer{
        c, rig.state, rig.clock, QLocale(QLocale::German, QLocale::Germany), "Sprechkit", [this] { ++clipboardSteps; }};
};

TEST_F(ClockTimerTest, TickHidesHintsWritesCaptionAndFileNameAndRunsTheClipboardStep)
{
    for (QLabel* label : c.lKeys)
        label->show();
    rig.state.keyHintTime = QTime(10, 0, 0).msecsSinceStartOfDay() / 1000.0;
    c.ckAuto->setChecked(true);
    tickAt(QTime(10, 0, 0, 900));
    EXPECT_FALSE(c.lKeys[9]->isHidden());
    EXPECT_EQ(c.window->windowTitle(), QStringLiteral("Sprechkit  v1.00  .:.  10:00:00"));
    EXPECT_EQ(c.tFile->text(), QStringLiteral("SpeechOut 20261205-100000 .wav"));
    tickAt(QTime(10, 0, 1));
    EXPECT_TRUE(c.lKeys[0]->isHidden() && c.lKeys[9]->isHidden());
    EXPECT_EQ(clipboardSteps, 2);

    // Hints shown just before midnight go in the new day too.
    c.lKeys[0]->show();
    rig.state.keyHintTime = 86399.8;
    tickAt(QTime(0, 0, 0, 300));
    EXPECT_TRUE(c.lKeys[0]->isHidden());
}

TEST_F(ClockTimerTest, AnnouncementsSpeakAndPutTheFormerTextBack)
{
    c.ckMessage->setChecked(true);
    c.ckSec->setChecked(true);
    tickAt(QTime(15, 0, 0));
    tickAt(QTime(15, 0, 0, 500));
    EXPECT_EQ(spoken(), QStringList{QStringLiteral("ES IST 15 UHR ")});
    endSpeaking();
    EXPECT_EQ(c.tAusgabe->text(), QString());

    c.oMin->setChecked(true);
    tickAt(QTime(15, 0, 1));
    tickAt(QTime(0, 0, 0));
    ASSERT_EQ(spoken().size(), 2);
    EXPECT_TRUE(spoken().last().startsWith(QStringLiteral("HEUTE IST SAMSTAG")));
    EXPECT_TRUE(spoken().last().endsWith(QStringLiteral(". ES IST 0 UHR "))) << spoken().last().toStdString();
    endSpeaking();

    // The buttons borrow the box as well; its text comes back unchanged.
    c.tAusgabe->setText(QStringLiteral("Mein Text"));
    c.cDat->click();
    EXPECT_TRUE(spoken().last().startsWith(QStringLiteral("HEUTE IST")));
    endSpeaking();
    EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("Mein Text"));
    tickAt(QTime(0, 1, 0)); // a text in the box: no announcement
    EXPECT_EQ(spoken().size(), 3);
}
