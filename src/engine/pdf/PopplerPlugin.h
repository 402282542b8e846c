#pragma once

#include "engine/pdf/PdfPlugin.h"

#include <QObject>

namespace documents {

// The PDF plugin on Poppler. An encrypted document that opens without a password is read, as every viewer shows it.
class PopplerPlugin : public QObject, public PdfPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SprechkitPdfPlugin_iid)
    Q_INTERFACES(documents::PdfPlugin)
public:
    PdfExtraction extract(const QByteArray& bytes) const override;
};

} // namespace documents
