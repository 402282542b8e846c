#include "engine/pdf/PopplerPdf.h"

#include "base/documents/DocumentProblem.h"
#include "base/documents/PdfTextAssembly.h"
#include "base/system/PluginLoader.h"
#include "engine/pdf/PdfPlugin.h"

namespace documents {

core::ResultOf<Document> readPdf(const QByteArray& bytes)
{
    const core::ResultOf<PdfPlugin*> plugin = sys::loadPluginAs<PdfPlugin>(kPdfPluginName);
    if (!plugin)
        return failure(Problem::NoPdfSupport, plugin.error());
    const PdfExtraction extraction = plugin.value()->extract(bytes);
    switch (extraction.outcome) {
    case PdfExtraction::Outcome::Damaged:
        return failure(Problem::Damaged);
    case PdfExtraction::Outcome::Encrypted:
        return failure(Problem::Encrypted);
    case PdfExtraction::Outcome::Read:
        break;
    }
    return assemblePdfText(extraction.pages, extraction.outline, extraction.title);
}

} // namespace documents
