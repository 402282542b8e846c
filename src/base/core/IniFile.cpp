#include "base/core/IniFile.h"

#include "base/core/RegularFile.h"
#include "base/core/TextDecoding.h"

#include <QList>
#include <QStringView>

#include <cmath>

namespace core {

namespace {

// The value of key in section, matched like the classic platform reader: names without regard to case or
// surrounding blanks, the first matching line of the file wins, the text after the first "=" trimmed and one
// pair of enclosing double quotes dropped. Empty when the key is not there.
QString findValue(const QString& content, const QString& section, const QString& key)
{
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    if (wantedSection.isEmpty() || wantedKey.isEmpty())
        return {};

    // CR LF, LF and a lone CR (old Mac editors) all end a line, as in the dictionary file.
    QString lines = content;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    bool inSection = false;
    for (QStringView line : QStringView(lines).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            qsizetype end = line.indexOf(QLatin1Char(']'));
            if (end < 0)
                end = line.size();
            inSection = line.mid(1, end - 1).trimmed().compare(wantedSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || line.left(equals).trimmed().compare(wantedKey, Qt::CaseInsensitive) != 0)
            continue;
        QStringView value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        return value.toString();
    }
    return {};
}

} // namespace

ResultOf<QString> readIniText(const QString& path)
{
    const ResultOf<QByteArray> bytes = readRegularFile(path, kMaxScriptBytes);
    if (!bytes)
        return bytes.result();
    const ResultOf<QString> text = decodeText(bytes.value());
    if (!text)
        return Result::failure(QStringLiteral("Cannot read %1: %2").arg(path, text.error()));
    return text;
}

QString ReadINI(const QString& path, const QString& section, const QString& key, bool stripComments,
                const QString& defaultValue)
{
    if (path.isEmpty())
        return defaultValue;
    const ResultOf<QString> content = readIniText(path);
    if (!content)
        return defaultValue;
    QString value = findValue(content.value(), section, key);
    if (value.isEmpty())
        return defaultValue;

    value = value.trimmed();
    if (stripComments) {
        const qsizetype apostrophe = value.lastIndexOf(QLatin1Char('\''));
        if (apostrophe >= 0) {
            value.truncate(apostrophe);
            while (!value.isEmpty() && value.back().isSpace())
                value.chop(1);
        }
    }
    return value;
}

double leadingNumber(const QString& text)
{
    // Blanks, an optional sign, digits with an optional decimal point, an optional exponent ("1e2" is 100).
    // Whatever follows is ignored; text without digits there is 0.
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype at) { return at < n && text.at(at).isDigit() && text.at(at).unicode() < 128; };
    while (i < n && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    for (; isDigit(i); ++i)
        ++digits;
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        for (; isDigit(i); ++i)
            ++digits;
    }
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype e = i + 1;
        if (e < n && (text.at(e) == QLatin1Char('+') || text.at(e) == QLatin1Char('-')))
            ++e;
        if (isDigit(e)) {
            while (isDigit(e))
                ++e;
            end = e;
        }
    }
    bool ok = false;
    const double value = QStringView(text).mid(start, end - start).toDouble(&ok);
    // Out of range ("1e999") counts as no number: callers convert the result to int.
    return ok && std::isfinite(value) ? value : 0;
}

} // namespace core
