// Any file the reader is given: read it, save what was read, and the saved file must read back as the same rows.

#include "FuzzInput.h"

#include "base/text/DictionaryFile.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = fuzzFilePath(QStringLiteral("fuzz.wrd"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) &&
               file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    file.close();
    const text::DictionaryFile::LoadResult first = text::DictionaryFile::load(path);
    FUZZ_CHECK(first.read.ok());
    FUZZ_CHECK(first.usedDefaults == (size == 0));
    FUZZ_CHECK(text::DictionaryFile::save(path, first.rows).ok());
    // Rows without a search word are not written; nothing written: the file is gone and the defaults come back.
    QList<text::DictionaryRow> written = first.rows;
    written.removeIf([](const text::DictionaryRow& row) { return text::splitRow(row.text).search.isEmpty(); });
    const text::DictionaryFile::LoadResult second = text::DictionaryFile::load(path);
    FUZZ_CHECK(written.isEmpty() ? second.usedDefaults : second.rows == written);
    return 0;
}
