#include "base/text/PreparationPass.h"
#include "base/text/PreparationRules.h"

#include "support/FakeClock.h"

#include <gtest/gtest.h>

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

QString prepare(const QString& input, const QDateTime& now = QDateTime(QDate(2026, 12, 5), QTime(9, 7, 3)),
                const QList<text::DictionaryRow>& rows = {}, text::PrepareOptions options = {})
{
    const FakeClock clock(now);
    return text::prepareText(input, rows, options, clock, kGerman).text;
}

text::DictionaryRow row(const QString& search, const QString& replacement, bool checked = true)
{
    return {search + text::kEntrySeparator + replacement, checked};
}

using Case = std::pair<QString, QString>; // input, expected

} // namespace

// Saturday 5 December 2026, 09:07:03.
TEST(PreparationPass, PlaceholdersLongestFirstAndIgnoringCase)
{
    const Case cases[] = {
        {QStringLiteral("Es ist %ZEIT! Uhr"), QStringLiteral("Es ist 09:07:03 Uhr")},
        {QStringLiteral("%zeit / %Zeit!"), QStringLiteral("09:07 / 09:07:03")},
        {QStringLiteral("%STD! %STD %MIN! %MIN %SEK! %SEK"), QStringLiteral("09 9 07 7 03 3")},
        {QStringLiteral("%MINUTE"), QStringLiteral("7UTE")},
        {QStringLiteral("%DATUM %W %TX"), QStringLiteral("05.12.2026 49 339")},
        {QStringLiteral("%TTTT %TT %T %TTT"), QStringLiteral("Samstag 05 5 Sa")},
        {QStringLiteral("%MMMM %MM %M %MMM"), QStringLiteral("Dezember 12 12 Dez")},
        {QStringLiteral("%JJJJ %JJ %J"), QStringLiteral("2026 26 26")},
        {QStringLiteral("%bg, %TTTTag"), QStringLiteral("Guten Morgen, Samstagag")},
        {QStringLiteral("100% sicher"), QStringLiteral("100% sicher")},
        {QString(), QString()},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(prepare(input), expected) << input.toStdString();

    // Short fields drop their leading zero.
    const QDateTime now(QDate(2005, 3, 4), QTime(0, 0, 9));
    EXPECT_EQ(prepare(QStringLiteral("%J %JJ %M %MM %T %TT %STD %MIN %SEK"), now),
              QStringLiteral("5 05 3 03 4 04 0 0 9"));
    EXPECT_EQ(prepare(QStringLiteral("%MMMM"), now), QStringLiteral("März"));
}

TEST(PreparationPass, WeeksRunFromSundayAndStartWithTheFirstOfJanuary)
{
    // 2026 begins on a Thursday, 2023 on a Sunday, 2028 (a leap year) on a Saturday.
    const std::pair<QDate, int> weeks[] = {
        {QDate(2026, 1, 1), 1}, {QDate(2026, 1, 3), 1},    {QDate(2026, 1, 4), 2},    {QDate(2026, 12, 31), 53},
        {QDate(2023, 1, 1), 1}, {QDate(2023, 1, 7), 1},    {QDate(2023, 1, 8), 2},    {QDate(2028, 1, 1), 1},
        {QDate(2028, 1, 2), 2}, {QDate(2028, 12, 30), 53}, {QDate(2028, 12, 31), 54},
    };
    for (const auto& [date, week] : weeks)
        EXPECT_EQ(prepare(QStringLiteral("%W"), QDateTime(date, QTime(12, 0))), QString::number(week))
            << date.toString(Qt::ISODate).toStdString();
}

TEST(PreparationPass, GreetingChangesAtTheHour)
{
    const std::pair<QTime, const char*> greetings[] = {
        {QTime(0, 0), "Guten Morgen"}, {QTime(10, 59, 59), "Guten Morgen"}, {QTime(11, 0), "Mahlzeit"},
        {QTime(12, 59), "Mahlzeit"},   {QTime(13, 0), "Guten Tag"},         {QTime(15, 59), "Guten Tag"},
        {QTime(16, 0), "Guten Abend"}, {QTime(23, 59, 59), "Guten Abend"},
    };
    for (const auto& [time, expected] : greetings)
        EXPECT_EQ(prepare(QStringLiteral("%BG"), QDateTime(QDate(2026, 12, 5), time)), QString::fromUtf8(expected))
            << time.toString().toStdString();
}

TEST(PreparationPass, BlanksPunctuationAndEuroAmounts)
{
    const Case cases[] = {
        {QStringLiteral("Er kam  ,  sah und siegte  ."), QStringLiteral("Er kam, sah und siegte.")},
        {QStringLiteral("a\t\tb  \r\n  c"), QStringLiteral("a\t\tb \r\n c")},
        {QStringLiteral("Preis: 5 Euro."), QStringLiteral("Preis: 5€.")},
        {QStringLiteral("5 Eur pro Stück"), QStringLiteral("5€pro Stück")},
        {QStringLiteral("5 Euro pro Stück"), QStringLiteral("5€ pro Stück")},
        {QStringLiteral("5 eur, 6 EURO, 7 Eur. 8  €"), QStringLiteral("5€, 6€, 7€. 8€")},
        {QStringLiteral("5 Eur\r\n6 Euro\r\n"), QStringLiteral("5€\r\n6€\r\n")},
        {QStringLiteral("5 Eur\n6 Euro\n"), QStringLiteral("5 Eur\n6 Euro\n")}, // LF alone is no line break
        {QStringLiteral("5 EUR"), QStringLiteral("5 EUR")},
        {QStringLiteral("Kosten: 5 Europa"), QStringLiteral("Kosten: 5 Europa")},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(prepare(input), expected) << input.left(60).toStdString();
}

TEST(PreparationPass, DictionaryRows)
{
    const text::PrepareOptions exact{true, true}, ignoringCase{true, false}, noDictionary{false, true};
    const std::tuple<text::DictionaryRow, text::PrepareOptions, QString, QString> cases[] = {
        {row("TTS", "Sprachausgabe"), exact, "TTS und tts", "Sprachausgabe und tts"},
        {row("TTS", "Sprachausgabe"), ignoringCase, "TTS und tts", "Sprachausgabe und Sprachausgabe"},
        {row("ähm", ""), exact, "Das ähm ist gut.", "Das ist gut."},
        {row("heute", "%DATUM"), exact, "heute", "05.12.2026"},
        {row("Preis", "5 Eur ."), exact, "Preis", "5€."},
        {row("A", "B", false), exact, "A", "A"},
        {row("A", "B"), noDictionary, "A  5 Euro.", "A 5€."}, // the rest still runs
    };
    const QDateTime now(QDate(2026, 12, 5), QTime(9, 7, 3));
    for (const auto& [dictionaryRow, options, input, expected] : cases)
        EXPECT_EQ(prepare(input, now, {dictionaryRow}, options), expected) << input.toStdString();
}

TEST(PreparationPass, ActiveRowsWithoutSearchWordAreReportedAndReplaceNothing)
{
    const QList<text::DictionaryRow> rows = {row("", "nie"), row("a", "b"), row("", "aus", false), {"", true}};
    const FakeClock clock;
    const text::PrepareResult result = text::prepareText(QStringLiteral("a nie"), rows, {true, true}, clock, kGerman);
    EXPECT_EQ(result.text, QStringLiteral("b nie"));
    EXPECT_EQ(result.deactivatedRows, (QList<int>{0, 3}));

    const text::PrepareResult off = text::prepareText(QStringLiteral("a"), rows, {false, true}, clock, kGerman);
    EXPECT_TRUE(off.deactivatedRows.isEmpty());
}

TEST(PreparationPass, RowsThatKeepGrowingTheTextStopWithAnError)
{
    const FakeClock clock;
    // Each row multiplies the text by a thousand: without a limit the third row asks for 10^9 characters.
    const QList<text::DictionaryRow> explode(10, row("a", QString(1000, QLatin1Char('a'))));
    const text::PrepareResult exploded = text::prepareText(QStringLiteral("a"), explode, {}, clock, kGerman);
    EXPECT_TRUE(exploded.text.isEmpty());
    EXPECT_TRUE(exploded.error.startsWith(QStringLiteral("The prepared text would grow beyond 64.0 MB")))
        << exploded.error.toStdString();

    // Every way a rewrite runs: in blocks, across the end of a block, through the whole text (a long pattern, a
    // wildcard), and the fixed rules after the dictionary. A result of exactly the limit is still fine.
    const QString longWord(600, QLatin1Char('w'));
    const std::tuple<const char*, QString, QList<text::DictionaryRow>, qsizetype, bool> cases[] = {
        {"blocks, at the limit", QString(3000, QLatin1Char('a')), {row("a", "bb")}, 6000, true},
        {"blocks, one beyond", QString(3000, QLatin1Char('a')), {row("a", "bb")}, 5999, false},
        {"long pattern", longWord + QLatin1Char(' ') + longWord, {row(longWord, longWord + "x")}, 1202, false},
        {"wildcard word", QStringLiteral("ab ab ab"), {row("a*", "xxxx")}, 13, false},
        {"fixed rules", QStringLiteral("%BG %BG"), {}, 20, false},
    };
    for (const auto& [name, input, rows, limit, fits] : cases) {
        text::PrepareOptions options;
        options.maxSize = limit;
        const text::PrepareResult result = text::prepareText(input, rows, options, clock, kGerman);
        EXPECT_EQ(result.error.isEmpty(), fits) << name;
        EXPECT_EQ(result.text.isEmpty(), !fits) << name;
    }
}
