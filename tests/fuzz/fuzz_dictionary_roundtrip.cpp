// Any rows the list may hold: saved and read back, they must come back as the same rows, but for what the format
// cannot hold (a ",," comes back as ";", a line break as a blank) and the rows without a search word.

#include "FuzzInput.h"

#include "base/text/DictionaryFile.h"
#include "base/text/ReplaceString.h"

// Parts: one row each, its text as the list holds it; a leading "!" for a row that is switched off.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = fuzzFilePath(QStringLiteral("fuzz.wrd"));
    const auto flat = [](QString field) {
        return field.replace(QLatin1Char('\r'), u' ').replace(QLatin1Char('\n'), u' ');
    };
    const FuzzInput input(data, size);
    QList<text::DictionaryRow> rows;
    QList<text::DictionaryRow> expected;
    for (QString part : input.parts) {
        const bool checked = !part.startsWith(QLatin1Char('!'));
        if (!checked)
            part.remove(0, 1);
        rows.append({part, checked});
        const text::DictionaryEntry entry =
            text::splitRow(core::ReplaceString(part, QStringLiteral(";"), QStringLiteral(",,"), true).text);
        if (entry.search.isEmpty())
            continue;
        const QString rowText = flat(entry.search) + text::kEntrySeparator + flat(entry.replacement);
        expected.append({core::ReplaceString(rowText, QStringLiteral(",,"), QStringLiteral(";"), true).text, checked});
    }
    FUZZ_CHECK(text::DictionaryFile::save(path, rows).ok());
    const text::DictionaryFile::LoadResult loaded = text::DictionaryFile::load(path);
    FUZZ_CHECK(loaded.read.ok());
    FUZZ_CHECK(expected.isEmpty() ? loaded.usedDefaults : loaded.rows == expected);
    return 0;
}
