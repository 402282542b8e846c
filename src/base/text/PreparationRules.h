#pragma once

#include "base/text/DictionaryRow.h"
#include "base/text/PreparationPass.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

namespace text {

// One call of ReplaceString.
struct Rewrite {
    QString find;
    QString replacement;
    bool caseSensitive = false;
};

// The preparation pass as data: the dictionary rewrites, then blanks collapsed, then the fixed rewrites
// (punctuation, Euro amounts, time, date, greeting), each working on the result of the one before.
struct PreparationPlan {
    QList<Rewrite> dictionary;
    QList<int> deactivatedRows;
    QList<Rewrite> afterBlanks;
};

PreparationPlan planPreparation(const QList<DictionaryRow>& rows, const PrepareOptions& options, const QDateTime& now,
                                const QLocale& locale);

// Week of the year with weeks from Sunday to Saturday; week 1 holds 1 January, so a year can reach week 54.
int sundayWeekOfYear(const QDate& date);

// The greeting for an hour of the day (0..23).
QString greetingForHour(int hour);

} // namespace text
