// Any file the reader is given: read it, save what was read, and the saved file must read back as the same rows.

#include "DictionaryFiles.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    writeDictionaryBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const text::DictionaryFile::LoadResult first = text::DictionaryFile::load(dictionaryPath());
    FUZZ_CHECK(first.read.ok());
    FUZZ_CHECK(first.usedDefaults == (size == 0));
    if (!text::DictionaryFile::save(dictionaryPath(), first.rows))
        std::abort();
    const QList<text::DictionaryRow> written = withSearchWord(first.rows);
    // Nothing written: the file is gone and the defaults come back.
    const text::DictionaryFile::LoadResult second = text::DictionaryFile::load(dictionaryPath());
    FUZZ_CHECK(written.isEmpty() ? second.usedDefaults : second.rows == written);
    return 0;
}
