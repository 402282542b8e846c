#include "base/speech/SentenceSplitter.h"

#include <QSet>

#include <algorithm>

namespace speech {

namespace {

bool isClosing(QChar c)
{
    static const QString closing = QStringLiteral("\"')]}»«“”‘’›‹");
    return closing.contains(c);
}

bool isOpening(QChar c)
{
    static const QString opening = QStringLiteral("\"'([{»«„“‚‘›‹");
    return opening.contains(c);
}

bool isTerminator(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?';
}

const QSet<QString>& abbreviations()
{
    // Lower case; compared without the case of the text so that "Z.B." at a sentence start counts too.
    static const QSet<QString> list = {
        "dr.",   "prof.",  "dipl.",  "ing.",   "hr.",    "hrn.", "fr.",    "frl.",  "mr.",   "mrs.",  "ms.",   "st.",
        "z.b.",  "z.t.",   "z.zt.",  "zz.",    "zzt.",   "usw.", "u.s.w.", "bzw.",  "bzgl.", "ca.",   "etc.",  "d.h.",
        "u.a.",  "o.a.",   "u.ä.",   "o.ä.",   "u.u.",   "v.a.", "s.o.",   "s.u.",  "vgl.",  "ggf.",  "evtl.", "inkl.",
        "exkl.", "zzgl.",  "abzgl.", "bspw.",  "bsp.",   "nr.",  "tel.",   "str.",  "mio.",  "mrd.",  "tsd.",  "abs.",
        "bd.",   "kap.",   "hrsg.",  "jh.",    "jhd.",   "geb.", "gest.",  "verh.", "max.",  "min.",  "mind.", "std.",
        "sek.",  "allg.",  "ebd.",   "u.v.m.", "e.v.",   "jan.", "feb.",   "febr.", "apr.",  "aug.",  "sep.",  "sept.",
        "okt.",  "nov.",   "dez.",   "mo.",    "di.",    "mi.",  "sa.",    "vs.",   "ff.",   "gem.",  "lt.",   "lfd.",
        "lfm.",  "urspr.", "usf.",   "v.chr.", "n.chr.", "i.a.", "i.d.r.", "m.e.",  "o.g.",  "z.hd.", "zit.",  "ehem.",
    };
    return list;
}

// "am 3. Oktober", "am 3.10. um": a number with a point before a lower-case word, a number or a month is an
// ordinal or a date.
bool isOrdinalBefore(const QString& token, const QString& text, int next)
{
    if (token.isEmpty() || !token.at(0).isDigit())
        return false;
    for (QChar c : token) {
        if (!c.isDigit() && c != u'.')
            return false;
    }
    const int size = int(text.size());
    while (next < size && text.at(next).isSpace())
        ++next;
    if (next >= size)
        return false;
    if (text.at(next).isLower() || text.at(next).isDigit())
        return true;
    static const QStringList months = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                       "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    int end = next;
    while (end < size && text.at(end).isLetter())
        ++end;
    return months.contains(text.mid(next, end - next));
}

} // namespace

bool SentenceSplitter::isAbbreviation(const QString& tokenWithPeriod)
{
    int first = 0;
    while (first < tokenWithPeriod.size() && isOpening(tokenWithPeriod.at(first)))
        ++first;
    const QString token = tokenWithPeriod.mid(first);
    if (token.size() == 2 && token.at(0).isLetter())
        return true; // an initial
    return abbreviations().contains(token.toLower());
}

QList<TextRange> SentenceSplitter::split(const QString& text)
{
    QList<TextRange> sentences;
    const int size = int(text.size());
    int start = -1;
    int tokenStart = 0;
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            tokenStart = i + 1;
            continue;
        }
        if (start < 0)
            start = i;
        if (!isTerminator(c))
            continue;
        int after = i + 1;
        while (after < size && (isTerminator(text.at(after)) || isClosing(text.at(after))))
            ++after;
        if (after < size && !text.at(after).isSpace())
            continue; // "3.5", "www.example.de", "Hallo!Welt"
        if (c == u'.' && after == i + 1) {
            const QString token = text.mid(tokenStart, i + 1 - tokenStart);
            if (isAbbreviation(token) || isOrdinalBefore(token, text, after))
                continue;
        }
        sentences.append({start, after - start});
        start = -1;
        i = after - 1;
    }
    if (start >= 0) {
        int end = size;
        while (end > start && text.at(end - 1).isSpace())
            --end;
        sentences.append({start, end - start});
    }
    return sentences;
}

int SentenceSplitter::indexAt(const QList<TextRange>& sentences, int offset)
{
    // First sentence that ends after offset; a blank between two sentences belongs to the one before it.
    const auto it = std::upper_bound(sentences.begin(), sentences.end(), offset,
                                     [](int value, const TextRange& range) { return value < range.start; });
    const int index = int(it - sentences.begin()) - 1;
    return std::max(index, 0);
}

} // namespace speech
