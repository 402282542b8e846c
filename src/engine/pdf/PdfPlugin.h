#pragma once

#include "base/documents/PdfPage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtPlugin>

namespace documents {

// What the PDF plugin takes out of a document: every page's words and the outline, or why it could not.
struct PdfExtraction {
    enum class Outcome { Read, Damaged, Encrypted };
    Outcome outcome = Outcome::Damaged;
    QList<PdfPage> pages;
    QList<PdfOutlineEntry> outline;
    QString title;
};

// The plugin that reads PDF (Poppler and the libraries it needs are loaded only with it).
class PdfPlugin {
public:
    virtual ~PdfPlugin() = default;
    virtual PdfExtraction extract(const QByteArray& bytes) const = 0;
};

inline const QString kPdfPluginName = QStringLiteral("sprechkit-pdf");

} // namespace documents

#define SprechkitPdfPlugin_iid "de.sprechkit.PdfPlugin/1"
Q_DECLARE_INTERFACE(documents::PdfPlugin, SprechkitPdfPlugin_iid)
