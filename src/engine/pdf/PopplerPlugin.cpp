#include "engine/pdf/PopplerPlugin.h"

#include <poppler-qt6.h>

namespace documents {

namespace {

constexpr int kDeepestOutline = 2; // chapters come from the outline's first two levels

void silence(const QString&, const QVariant&)
{
    // Poppler reports every oddity of a damaged file on stderr; the reader reports the outcome once.
}

void addOutline(const QVector<Poppler::OutlineItem>& items, int level, QList<PdfOutlineEntry>& outline)
{
    for (const Poppler::OutlineItem& item : items) {
        const QSharedPointer<const Poppler::LinkDestination> destination = item.destination();
        if (destination && destination->pageNumber() > 0) {
            outline.append({item.name(), destination->pageNumber() - 1,
                            destination->isChangeTop() ? destination->top() : -1.0, level});
        }
        if (level < kDeepestOutline && item.hasChildren())
            addOutline(item.children(), level + 1, outline);
    }
}

PdfPage pageWords(const Poppler::Page& page)
{
    PdfPage result;
    result.size = page.pageSizeF();
    for (const std::unique_ptr<Poppler::TextBox>& box : page.textList()) {
        // Poppler links the words of a line; the last one has no next word.
        result.words.append({box->text(), box->boundingBox(), box->hasSpaceAfter(), box->nextWord() == nullptr});
    }
    return result;
}

} // namespace

PdfExtraction PopplerPlugin::extract(const QByteArray& bytes) const
{
    PdfExtraction result;
    Poppler::setDebugErrorFunction(silence, QVariant());
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(bytes);
    if (!document)
        return result;
    if (document->isLocked()) { // before anything else: a locked document has no pages to ask for
        result.outcome = PdfExtraction::Outcome::Encrypted;
        return result;
    }
    if (document->numPages() <= 0)
        return result;
    for (int i = 0; i < document->numPages(); ++i) {
        const std::unique_ptr<Poppler::Page> page = document->page(i);
        result.pages.append(page ? pageWords(*page) : PdfPage());
    }
    addOutline(document->outline(), 1, result.outline);
    result.title = document->info(QStringLiteral("Title"));
    result.outcome = PdfExtraction::Outcome::Read;
    return result;
}

} // namespace documents
