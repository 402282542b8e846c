#include "base/documents/HtmlEntities.h"

#include <QHash>

#include <algorithm>

namespace documents {

namespace {

// The names of U+00A0 to U+00FF, in order.
constexpr const char* kLatin1Names =
    "nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy reg macr deg plusmn sup2 sup3 acute "
    "micro para middot cedil sup1 ordm raquo frac14 frac12 frac34 iquest Agrave Aacute Acirc Atilde Auml Aring "
    "AElig Ccedil Egrave Eacute Ecirc Euml Igrave Iacute Icirc Iuml ETH Ntilde Ograve Oacute Ocirc Otilde Ouml "
    "times Oslash Ugrave Uacute Ucirc Uuml Yacute THORN szlig agrave aacute acirc atilde auml aring aelig ccedil "
    "egrave eacute ecirc euml igrave iacute icirc iuml eth ntilde ograve oacute ocirc otilde ouml divide oslash "
    "ugrave uacute ucirc uuml yacute thorn yuml";

struct Named {
    const char* name;
    char32_t code;
};

// The markup's own and the typographic references that texts use; the rarer mathematical ones are left out.
constexpr Named kOtherNames[] = {
    {"quot", 0x22},     {"amp", 0x26},      {"apos", 0x27},     {"lt", 0x3C},       {"gt", 0x3E},
    {"OElig", 0x152},   {"oelig", 0x153},   {"Scaron", 0x160},  {"scaron", 0x161},  {"Yuml", 0x178},
    {"fnof", 0x192},    {"circ", 0x2C6},    {"tilde", 0x2DC},   {"ensp", 0x2002},   {"emsp", 0x2003},
    {"thinsp", 0x2009}, {"zwnj", 0x200C},   {"zwj", 0x200D},    {"lrm", 0x200E},    {"rlm", 0x200F},
    {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"sbquo", 0x201A},
    {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"bdquo", 0x201E},  {"dagger", 0x2020}, {"Dagger", 0x2021},
    {"bull", 0x2022},   {"hellip", 0x2026}, {"permil", 0x2030}, {"prime", 0x2032},  {"Prime", 0x2033},
    {"lsaquo", 0x2039}, {"rsaquo", 0x203A}, {"oline", 0x203E},  {"frasl", 0x2044},  {"euro", 0x20AC},
    {"trade", 0x2122},  {"larr", 0x2190},   {"uarr", 0x2191},   {"rarr", 0x2192},   {"darr", 0x2193},
    {"harr", 0x2194},   {"minus", 0x2212},  {"le", 0x2264},     {"ge", 0x2265},     {"ne", 0x2260},
};

const QHash<QString, char32_t>& namedReferences()
{
    static const QHash<QString, char32_t> table = [] {
        QHash<QString, char32_t> names;
        char32_t code = 0xA0;
        for (const QString& name : QString::fromLatin1(kLatin1Names).split(QLatin1Char(' ')))
            names.insert(name, code++);
        for (const Named& named : kOtherNames)
            names.insert(QString::fromLatin1(named.name), named.code);
        return names;
    }();
    return table;
}

QString character(char32_t code)
{
    const bool valid = code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return QString::fromUcs4(valid ? &code : U"\uFFFD", 1);
}

} // namespace

QString decodeEntity(QStringView reference)
{
    if (reference.size() > 1 && reference[0] == QLatin1Char('#')) {
        const bool hex = reference[1] == QLatin1Char('x') || reference[1] == QLatin1Char('X');
        const QStringView digits = reference.sliced(hex ? 2 : 1);
        if (digits.isEmpty() || digits.size() > 8)
            return digits.isEmpty() ? QString() : character(0);
        bool ok = false;
        const uint code = digits.toUInt(&ok, hex ? 16 : 10);
        return ok ? character(code) : QString();
    }
    const auto found = namedReferences().constFind(reference.toString());
    return found == namedReferences().cend() ? QString() : character(*found);
}

QString decodeEntities(QStringView text)
{
    if (!text.contains(QLatin1Char('&')))
        return text.toString();
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype amp = text.indexOf(QLatin1Char('&'), i);
        if (amp < 0)
            break;
        result.append(text.sliced(i, amp - i));
        // References are short; a ";" further away belongs to something else.
        const qsizetype semicolon = text.sliced(amp, std::min<qsizetype>(text.size() - amp, 34)).indexOf(u';');
        const QString decoded = semicolon > 1 ? decodeEntity(text.sliced(amp + 1, semicolon - 1)) : QString();
        if (decoded.isEmpty()) {
            result.append(QLatin1Char('&'));
            i = amp + 1;
        } else {
            result.append(decoded);
            i = amp + semicolon + 1;
        }
    }
    result.append(text.sliced(i));
    return result;
}

} // namespace documents
