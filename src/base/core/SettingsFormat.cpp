#include "base/core/SettingsFormat.h"

namespace core {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool isHex(char16_t ch)
{
    return (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}

// Letters, digits, "_", "-" and "." stay; "/" becomes "\"; anything else is %XX, or %UXXXX beyond Latin-1.
QByteArray escapeKey(const QString& key)
{
    QByteArray result;
    for (const QChar qch : key) {
        const char16_t ch = qch.unicode();
        if (ch == u'/') {
            result += '\\';
        } else if ((ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') ||
                   ch == u'_' || ch == u'-' || ch == u'.') {
            result += char(ch);
        } else if (ch <= 0xFF) {
            result += '%';
            result += kHexDigits[ch / 16];
            result += kHexDigits[ch % 16];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += kHexDigits[(ch >> shift) & 0xF];
        }
    }
    return result;
}

QString unescapeKey(const QByteArray& text)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char ch = text.at(i);
        if (ch == '\\') {
            result += u'/';
        } else if (ch == '%' && i + 5 < text.size() && text.at(i + 1) == 'U') {
            bool ok = false;
            const uint code = text.mid(i + 2, 4).toUInt(&ok, 16);
            result += ok ? QChar(char16_t(code)) : QChar(u'%');
            if (ok)
                i += 5;
        } else if (ch == '%' && i + 2 < text.size()) {
            bool ok = false;
            const uint code = text.mid(i + 1, 2).toUInt(&ok, 16);
            result += ok ? QChar(char16_t(code)) : QChar(u'%');
            if (ok)
                i += 2;
        } else {
            result += QLatin1Char(ch);
        }
    }
    return result;
}

// Backslash escapes for quotes, backslashes and control characters; quoted when the value holds ";", "," or
// "=" or begins or ends with a blank. A value beginning with "@" gets a second one (QSettings' marker).
QByteArray escapeValue(const QString& value)
{
    const QString text = value.startsWith(u'@') ? QLatin1Char('@') + value : value;
    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (const QChar qch : text) {
        const char16_t ch = qch.unicode();
        if (ch == u';' || ch == u',' || ch == u'=')
            needsQuotes = true;
        if (escapeNextIfHex && isHex(ch)) {
            result += "\\x" + QByteArray::number(uint(ch), 16);
            continue;
        }
        escapeNextIfHex = false;
        switch (ch) {
        case u'\0':
            result += "\\0";
            escapeNextIfHex = true;
            break;
        case u'\a':
            result += "\\a";
            break;
        case u'\b':
            result += "\\b";
            break;
        case u'\f':
            result += "\\f";
            break;
        case u'\n':
            result += "\\n";
            break;
        case u'\r':
            result += "\\r";
            break;
        case u'\t':
            result += "\\t";
            break;
        case u'\v':
            result += "\\v";
            break;
        case u'"':
        case u'\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (ch <= 0x1F) {
                result += "\\x" + QByteArray::number(uint(ch), 16);
                escapeNextIfHex = true;
            } else {
                result += QString(qch).toUtf8();
            }
        }
    }
    if (needsQuotes || (!result.isEmpty() && (result.front() == ' ' || result.back() == ' ')))
        result = '"' + result + '"';
    return result;
}

// The reverse, for what QSettings and hand edits write: quotes group, a ";" outside quotes starts a comment,
// blanks outside quotes at either end are dropped.
QString unescapeValue(const QByteArray& text)
{
    QByteArray bytes;
    bool quoted = false;
    qsizetype keepUpTo = 0; // blanks at the end outside quotes are dropped
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char ch = text.at(i);
        if (ch == '"') {
            quoted = !quoted;
            keepUpTo = bytes.size();
            continue;
        }
        if (ch == ';' && !quoted)
            break;
        if (ch == '\\' && i + 1 < text.size()) {
            const char next = text.at(++i);
            static const QByteArray from = "abfnrtv\"\\'?";
            static const QByteArray to = "\a\b\f\n\r\t\v\"\\'?";
            if (const qsizetype at = from.indexOf(next); at >= 0) {
                bytes += to.at(at);
            } else if (next == 'x' || (next >= '0' && next <= '7')) {
                const bool hex = next == 'x';
                qsizetype end = hex ? i + 1 : i;
                while (end < text.size() &&
                       (hex ? isHex(char16_t(text.at(end))) : (text.at(end) >= '0' && text.at(end) <= '7')))
                    ++end;
                const QByteArray digits = text.mid(hex ? i + 1 : i, end - (hex ? i + 1 : i));
                const QString character(QChar(char16_t(digits.toUInt(nullptr, hex ? 16 : 8))));
                bytes += character.toUtf8();
                i = end - 1;
            } else {
                bytes += next;
            }
            keepUpTo = bytes.size();
            continue;
        }
        if (bytes.isEmpty() && !quoted && (ch == ' ' || ch == '\t'))
            continue;
        bytes += ch;
        if (quoted || (ch != ' ' && ch != '\t'))
            keepUpTo = bytes.size();
    }
    bytes.truncate(keepUpTo);
    QString value = QString::fromUtf8(bytes);
    if (value.startsWith(QLatin1String("@@")))
        value.remove(0, 1);
    return value;
}

} // namespace

QByteArray encodeSettings(const QMap<QString, QString>& values)
{
    QByteArray text;
    QString section;
    bool first = true;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        const QString keySection = slash < 0 ? QStringLiteral("General") : it.key().left(slash);
        if (first || keySection != section) {
            if (!first)
                text += '\n'; // a blank line between sections
            text += '[' + escapeKey(keySection) + "]\n";
            section = keySection;
            first = false;
        }
        text += escapeKey(it.key().mid(slash + 1)) + '=' + escapeValue(it.value()) + '\n';
    }
    return text;
}

QMap<QString, QString> decodeSettings(const QByteArray& text)
{
    QMap<QString, QString> values;
    QString section;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            const qsizetype end = line.indexOf(']');
            section = unescapeKey(line.mid(1, end < 0 ? -1 : end - 1).trimmed());
            if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
                section.clear();
            else if (section == QLatin1String("%General"))
                section = QStringLiteral("General");
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString key = unescapeKey(line.left(equals).trimmed());
        const QString path = section.isEmpty() ? key : section + u'/' + key;
        if (!values.contains(path)) // the first of two equal keys wins, as in QSettings
            values.insert(path, unescapeValue(line.mid(equals + 1)));
    }
    return values;
}

} // namespace core
