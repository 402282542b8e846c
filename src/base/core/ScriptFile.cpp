#include "base/core/ScriptFile.h"

#include "base/core/SafeWrite.h"

namespace core {

namespace {

// The reader cuts a value before its last apostrophe and drops enclosing double quotes. A value it would change
// so gets a comment apostrophe of its own at the end, and comes back as written.
QString readableValue(const QString& value)
{
    const QString trimmed = value.trimmed();
    const bool quoted =
        trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('"')) && trimmed.endsWith(QLatin1Char('"'));
    if (quoted || value.contains(QLatin1Char('\'')))
        return value + QLatin1String(" '");
    return value;
}

} // namespace

QString makeIniText(const ScriptState& state)
{
    // The script holds the text on one line. A lone CR or LF would end that line early too, so every kind of
    // line break becomes "|".
    QString text = state.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("|"));
    text.replace(QLatin1Char('\r'), QLatin1Char('|'));
    text.replace(QLatin1Char('\n'), QLatin1Char('|'));

    const QLatin1String eol("\r\n");
    QString ini;
    ini += QLatin1String("[Program]") + eol;
    ini += QLatin1String("Hide    = 0") + eol;
    ini += QLatin1String("Start   = 1") + eol;
    ini += QLatin1String("Text    = ") + readableValue(text) + eol;
    ini += QLatin1String("Close   = 0") + eol;
    ini += eol;
    ini += QLatin1String("[Voice]") + eol;
    ini += QLatin1String("Voice   = ") + readableValue(state.voice) + eol;
    ini += QLatin1String("Rate    = ") + QString::number(state.rate) + eol;
    ini += QLatin1String("Volume  = ") + QString::number(state.volume) + eol;
    ini += QLatin1String("Format  = ") + readableValue(state.format) + eol;
    ini += QLatin1String("WavFile = ") + eol;
    ini += eol;
    return ini;
}

Result writeScriptFile(const QString& path, const ScriptState& state)
{
    return replaceFileContents(path, makeIniText(state).toUtf8());
}

} // namespace core
