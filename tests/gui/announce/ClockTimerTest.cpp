#include "gui/announce/ClockTimer.h"
#include "base/announce/ClockTexts.h"
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
    const std::tuple<bool, bool, bool, QString> cases[] = {
        // normal window, administrator, machine control
        {true, false, false, "SK Base  v1.00  .:.  07:05:09"},
        {true, true, true, "SK Base ^  v1.00  .:.  07:05:09"},
        {true, false, true, "SK Base °  v1.00  .:.  07:05:09"},
        {false, true, false, "SK Base"},
    };
    for (const auto& [normal, admin, machine, expected] : cases)
        EXPECT_EQ(announce::captionText({"SK ", "Base", "1.00", normal, admin, machine}, QTime(7, 5, 9)), expected);
    EXPECT_EQ(announce::autoFileName(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))),
              QStringLiteral("SpeechOut 20260102-030405 .wav"));
}

TEST(ClockTexts, ScheduleAnnouncesOncePerFullHourMinuteOrMidnight)
{
    // Time, announced flag, announcements on, text box empty, every minute; then the announcement and the flag after.
    const std::tuple<QTime, bool, bool, bool, bool, Announcement, bool> cases[] = {
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
    for (const auto& [time, flag, messageOn, textEmpty, minutely, expected, flagAfter] : cases) {
        const announce::ScheduleStep step =
            announce::scheduledAnnouncement({time, flag, messageOn, textEmpty, minutely});
        EXPECT_EQ(std::pair(step.announcement, step.announcedFlag), std::pair(expected, flagAfter))
            << time.toString().toStdString();
    }
}

// The timer on the speech side of the window; the rig's preparation pass upper-cases what is spoken.
struct ClockTimerRig : SpeechRig {
    ClockTimerRig() { startUp(); }
    void tickAt(const QTime& time)
    {
        clock.set(QDateTime(QDate(2026, 12, 5), time));
        timer.tick();
    }
    QString lastSpoken() const { return voice.callsOf(QStringLiteral("speak")).last().args[0].toString(); }
    void endSpeaking() { emit voice.endStream(voice.lastStreamNumber(), 0); }

    int clipboardSteps = 0;
    announce::ClockTimer timer{app::clockTimerWidgets(controls),
                               app::clockTimerState(state),
                               speaking,
                               clock,
                               QLocale(QLocale::German, QLocale::Germany),
                               "Sprechkit",
                               [this] { ++clipboardSteps; }};
};

TEST(ClockTimer, TickHidesHintsWritesCaptionAndFileNameAndRunsTheClipboardStep)
{
    ClockTimerRig rig;
    const form::Controls& c = rig.controls;
    for (QLabel* label : c.lKeys)
        label->show();
    rig.state.keyHintTime = 10 * 3600;
    c.ckAuto->setChecked(true);
    rig.tickAt(QTime(10, 0, 0, 900));
    EXPECT_FALSE(c.lKeys[9]->isHidden());
    EXPECT_EQ(c.window->windowTitle(), QStringLiteral("Sprechkit  v1.00  .:.  10:00:00"));
    EXPECT_EQ(c.tFile->text(), QStringLiteral("SpeechOut 20261205-100000 .wav"));
    rig.tickAt(QTime(10, 0, 1));
    EXPECT_TRUE(c.lKeys[0]->isHidden() && c.lKeys[9]->isHidden());
    EXPECT_EQ(rig.clipboardSteps, 2);

    // Hints shown just before midnight go in the new day too.
    c.lKeys[0]->show();
    rig.state.keyHintTime = 86399.8;
    rig.tickAt(QTime(0, 0, 0, 300));
    EXPECT_TRUE(c.lKeys[0]->isHidden());
}

TEST(ClockTimer, AnnouncementsSpeakAndPutTheFormerTextBack)
{
    ClockTimerRig rig;
    const form::Controls& c = rig.controls;
    c.ckMessage->setChecked(true);
    rig.tickAt(QTime(15, 0, 0));
    EXPECT_EQ(rig.lastSpoken(), QStringLiteral("ES IST 15 UHR "));
    rig.endSpeaking();
    EXPECT_EQ(c.tAusgabe->text(), QString());

    c.oMin->setChecked(true);
    rig.tickAt(QTime(15, 0, 1));
    rig.tickAt(QTime(0, 0, 0));
    EXPECT_TRUE(rig.lastSpoken().startsWith(QStringLiteral("HEUTE IST SAMSTAG")));
    EXPECT_TRUE(rig.lastSpoken().endsWith(QStringLiteral(". ES IST 0 UHR ")));
    rig.endSpeaking();

    c.tAusgabe->setText(QStringLiteral("Mein Text"));
    c.cDat->click();
    EXPECT_TRUE(rig.lastSpoken().startsWith(QStringLiteral("HEUTE IST")));
    rig.endSpeaking();
    EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("Mein Text"));
}
