#include "base/documents/DocumentProblem.h"

#include <QLatin1StringView>

namespace documents {

namespace {

struct Reason {
    Problem problem;
    const char* english;
    const char* german; // UTF-8
};

constexpr Reason kReasons[] = {
    {Problem::NotAFile, "Not a regular file", "keine Datei"},
    {Problem::Unreadable, "The file cannot be read", "Die Datei kann nicht gelesen werden"},
    {Problem::FileTooLarge, "The file is larger than 256 MB", "Die Datei ist größer als 256 MB"},
    {Problem::UnknownKind, "Unknown kind of document", "unbekannte Art von Dokument"},
    {Problem::Damaged, "The document is damaged", "Das Dokument ist beschädigt"},
    {Problem::Encrypted, "The document is encrypted", "verschlüsselt"},
    {Problem::NoText, "The document contains no text", "enthält keinen Text"},
    {Problem::TextTooLarge, "The document's text is larger than 64 MB", "Der Text ist größer als 64 MB"},
    {Problem::ZipBomb, "The container would unpack to too much data", "Das Archiv würde zu viele Daten entpacken"},
    {Problem::MalformedXml, "Malformed XML", "fehlerhaftes XML"},
    {Problem::MissingFile, "The document names a missing file", "Eine genannte Datei fehlt"},
    {Problem::NoPdfSupport, "PDF support is not installed", "Das Modul zum Lesen von PDF fehlt"},
};

} // namespace

core::Result failure(Problem problem, const QString& detail)
{
    for (const Reason& reason : kReasons) {
        if (reason.problem == problem) {
            const QString english = QLatin1StringView(reason.english);
            return core::Result::failure(detail.isEmpty() ? english : english + QLatin1String(": ") + detail);
        }
    }
    return core::Result::failure(detail);
}

QString germanReason(const QString& englishReason)
{
    for (const Reason& reason : kReasons) {
        const QLatin1StringView english(reason.english);
        if (englishReason == english || englishReason.startsWith(english + QLatin1String(": ")))
            return QString::fromUtf8(reason.german) + englishReason.mid(english.size());
    }
    return englishReason;
}

} // namespace documents
