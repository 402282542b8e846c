#include "base/text/PreparationRules.h"

namespace text {

namespace {

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

void appendDictionary(PreparationPlan& plan, const QList<DictionaryRow>& rows, bool caseSensitive)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (!rows[i].checked)
            continue;
        DictionaryEntry entry = splitRow(rows[i].text);
        if (entry.replacement.isEmpty())
            entry.replacement = QStringLiteral(" "); // the surplus blanks go with the blank clean-up
        if (entry.search.isEmpty()) {
            plan.deactivatedRows.append(i);
            continue;
        }
        plan.dictionary.append({entry.search, entry.replacement, caseSensitive});
    }
}

void appendPunctuationAndEuro(QList<Rewrite>& rules)
{
    const QString lineBreak = QStringLiteral("\r\n");
    const QString euro = QStringLiteral("€");
    rules.append({QStringLiteral(" ."), QStringLiteral(".")});
    rules.append({QStringLiteral(" ,"), QStringLiteral(",")});
    rules.append({QStringLiteral(" €"), euro});
    rules.append({QStringLiteral(" Eur "), euro});
    rules.append({QStringLiteral(" Eur") + lineBreak, euro + lineBreak});
    rules.append({QStringLiteral(" Eur."), euro + QLatin1Char('.')});
    rules.append({QStringLiteral(" Eur,"), euro + QLatin1Char(',')});
    rules.append({QStringLiteral(" Euro "), euro + QLatin1Char(' ')});
    rules.append({QStringLiteral(" Euro") + lineBreak, euro + lineBreak});
    rules.append({QStringLiteral(" Euro."), euro + QLatin1Char('.')});
    rules.append({QStringLiteral(" Euro,"), euro + QLatin1Char(',')});
}

// Every placeholder with "!" and every longer one comes before the shorter one it begins with.
void appendTime(QList<Rewrite>& rules, const QTime& time)
{
    const QString clock = time.toString(QStringLiteral("HH:mm:ss"));
    rules.append({QStringLiteral("%ZEIT!"), clock});
    rules.append({QStringLiteral("%ZEIT"), clock.left(5)});
    rules.append({QStringLiteral("%STD!"), twoDigits(time.hour())});
    rules.append({QStringLiteral("%STD"), QString::number(time.hour())});
    rules.append({QStringLiteral("%MIN!"), twoDigits(time.minute())});
    rules.append({QStringLiteral("%MIN"), QString::number(time.minute())});
    rules.append({QStringLiteral("%SEK!"), twoDigits(time.second())});
    rules.append({QStringLiteral("%SEK"), QString::number(time.second())});
}

// Qt's short German names end in a full stop ("Sa.", "Dez."); the regional short names are "Sa" and "Dez", and a
// full stop in the middle of a sentence would also end it for the voice.
QString shortName(QString name)
{
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

void appendDate(QList<Rewrite>& rules, const QDate& date, const QLocale& locale)
{
    rules.append({QStringLiteral("%DATUM"), twoDigits(date.day()) + QLatin1Char('.') + twoDigits(date.month()) +
                                                QLatin1Char('.') +
                                                QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'))});
    rules.append({QStringLiteral("%W"), QString::number(sundayWeekOfYear(date))});
    rules.append({QStringLiteral("%TX"), QString::number(date.dayOfYear())});
    rules.append({QStringLiteral("%TTTT"), locale.dayName(date.dayOfWeek(), QLocale::LongFormat)});
    rules.append({QStringLiteral("%TTT"), shortName(locale.dayName(date.dayOfWeek(), QLocale::ShortFormat))});
    rules.append({QStringLiteral("%TT"), twoDigits(date.day())});
    rules.append({QStringLiteral("%T"), QString::number(date.day())});
    rules.append({QStringLiteral("%MMMM"), locale.monthName(date.month(), QLocale::LongFormat)});
    rules.append({QStringLiteral("%MMM"), shortName(locale.monthName(date.month(), QLocale::ShortFormat))});
    rules.append({QStringLiteral("%MM"), twoDigits(date.month())});
    rules.append({QStringLiteral("%M"), QString::number(date.month())});
    rules.append({QStringLiteral("%JJJJ"), QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'))});
    rules.append({QStringLiteral("%JJ"), twoDigits(date.year() % 100)});
    rules.append({QStringLiteral("%J"), QString::number(date.year() % 100)});
}

} // namespace

int sundayWeekOfYear(const QDate& date)
{
    const int firstWeekday = QDate(date.year(), 1, 1).dayOfWeek() % 7; // 0 = Sunday
    return (date.dayOfYear() - 1 + firstWeekday) / 7 + 1;
}

QString greetingForHour(int hour)
{
    if (hour <= 10)
        return QStringLiteral("Guten Morgen");
    if (hour <= 12)
        return QStringLiteral("Mahlzeit");
    if (hour <= 15)
        return QStringLiteral("Guten Tag");
    return QStringLiteral("Guten Abend");
}

PreparationPlan planPreparation(const QList<DictionaryRow>& rows, const PrepareOptions& options, const QDateTime& now,
                                const QLocale& locale)
{
    PreparationPlan plan;
    if (options.useWords)
        appendDictionary(plan, rows, options.caseSensitive);
    appendPunctuationAndEuro(plan.afterBlanks);
    appendTime(plan.afterBlanks, now.time());
    appendDate(plan.afterBlanks, now.date(), locale);
    plan.afterBlanks.append({QStringLiteral("%BG"), greetingForHour(now.time().hour())});
    return plan;
}

} // namespace text
