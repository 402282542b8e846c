#include "base/announce/ClockTexts.h"

namespace announce {

QString captionText(const CaptionParts& parts, const QTime& time)
{
    if (!parts.normalWindow)
        return parts.prefix + parts.base;
    const QString mark = parts.isAdminRun            ? QStringLiteral(" ^")
                         : parts.machineControlInUse ? QStringLiteral(" °")
                                                     : QString();
    return parts.prefix + parts.base + mark + QStringLiteral("  v") + parts.version + QStringLiteral("  .:.  ") +
           time.toString(QStringLiteral("HH:mm:ss"));
}

QString autoFileName(const QDateTime& now)
{
    return QStringLiteral("SpeechOut ") + now.date().toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('-') +
           now.time().toString(QStringLiteral("HHmmss")) + QStringLiteral(" .wav");
}

ScheduleStep scheduledAnnouncement(const ScheduleInput& input)
{
    const int second = input.time.second();
    if (input.announcedFlag)
        return {Announcement::None, second == 0};
    if (!input.messageOn || !input.textEmpty || second != 0)
        return {Announcement::None, false};
    if (input.time.hour() == 0 && input.time.minute() == 0)
        return {Announcement::DateAndTime, true};
    if (input.minutely || input.time.minute() == 0)
        return {Announcement::Time, true};
    return {Announcement::None, false};
}

} // namespace announce
