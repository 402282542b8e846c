#include "base/announce/TimeAndDate.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <gtest/gtest.h>

namespace {

TEST(TimeAndDate, SpokenTimeAndDate)
{
    const std::tuple<QTime, int, QString> cases[] = {
        {QTime(14, 5, 30), 0, "Es ist 14 Uhr 5"},
        {QTime(14, 5, 30), 1, "Es ist 14 Uhr 5 und 30 Sekunden"},
        {QTime(14, 0, 30), 1, "Es ist 14 Uhr  und 30 Sekunden"},
        {QTime(1, 1, 1), 1, "Es ist Ein Uhr Eins und eine Sekunde"},
        {QTime(13, 1, 0), 0, "Es ist 13 Uhr Eins"},
        {QTime(0, 0, 0), 1, "Es ist 0 Uhr "},
        {QTime(11, 21, 1), 0, "Es ist 11 Uhr 21"}, // seconds off: no seconds part at all
        {QTime(11, 21, 1), 2, "Es ist 11 Uhr 21"}, // a greyed box is not "on"
    };
    for (const auto& [time, secX, expected] : cases)
        EXPECT_EQ(announce::Zeit(time, secX), expected) << time.toString().toStdString() << " " << secX;
    EXPECT_EQ(announce::Datum(QDate(2028, 2, 29), QLocale(QLocale::German, QLocale::Germany)),
              "Heute ist Dienstag, der 29. Februar 2028");
}

} // namespace
