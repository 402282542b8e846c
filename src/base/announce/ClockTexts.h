#pragma once

#include <QDateTime>
#include <QString>

namespace announce {

// The window caption: with the running clock in the normal window state, without it when minimised or
// maximised. The mark is " ^" for an administrator run, else " °" when the machine-wide control is in use.
struct CaptionParts {
    QString prefix;
    QString base;
    QString version;
    bool normalWindow = true;
    bool isAdminRun = false;
    bool machineControlInUse = false;
};
QString captionText(const CaptionParts& parts, const QTime& time);

// "SpeechOut 20261205-140307 .wav": the automatic WAV file name for this moment.
QString autoFileName(const QDateTime& now);

// What a timer tick announces, and the flag that keeps the ticks of one "00" second from announcing twice.
enum class Announcement { None, Time, DateAndTime };
struct ScheduleInput {
    QTime time;
    bool announcedFlag = false;
    bool messageOn = false; // ckMessage
    bool textEmpty = false; // tAusgabe holds no text
    bool minutely = false;  // oMin rather than oStd
};
struct ScheduleStep {
    Announcement announcement = Announcement::None;
    bool announcedFlag = false;
};
ScheduleStep scheduledAnnouncement(const ScheduleInput& input);

} // namespace announce
