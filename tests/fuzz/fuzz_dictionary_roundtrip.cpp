// Any rows the list may hold: saved and read back, they must come back as the same rows, but for what the format
// cannot hold (a ",," comes back as ";", a line break as a blank) and the rows without a search word.

#include "DictionaryFiles.h"
#include "FuzzInput.h"

#include "core/ReplaceString.h"

namespace {

QString formatOwn(const QString& field)
{
    QString flat = field;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return flat;
}

} // namespace

// Parts: one row each, its text as the list holds it; a leading "!" for a row that is switched off.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput input(data, size);
    QList<text::DictionaryRow> rows;
    QList<text::DictionaryRow> expected;
    for (QString part : input.parts) {
        const bool checked = !part.startsWith(QLatin1Char('!'));
        if (!checked)
            part.remove(0, 1);
        rows.append({part, checked});
        const text::DictionaryEntry entry =
            text::splitRow(core::ReplaceString(part, QStringLiteral(";"), QStringLiteral(",,"), true));
        if (entry.search.isEmpty())
            continue;
        const QString rowText = formatOwn(entry.search) + text::kEntrySeparator + formatOwn(entry.replacement);
        expected.append({core::ReplaceString(rowText, QStringLiteral(",,"), QStringLiteral(";"), true), checked});
    }
    if (!text::DictionaryFile::save(dictionaryPath(), rows))
        std::abort();
    const text::DictionaryFile::LoadResult loaded = text::DictionaryFile::load(dictionaryPath());
    FUZZ_CHECK(loaded.read.ok());
    FUZZ_CHECK(expected.isEmpty() ? loaded.usedDefaults : loaded.rows == expected);
    return 0;
}
