#include "engine/pdf/DocumentFile.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A PDF as an office program writes it: three pages with a running header and a page number at the foot, and a
// paragraph whose first line ends in a hyphenated word. Points as units: 72 dots per inch.
void writeReport(const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    const QStringList pages[] = {
        {"Dieser Bericht beschreibt die neue Sprach-", "ausgabe, die jeden Text mit Effizienz liest.",
         "Sie ist seit dem Frühjahr im Einsatz."},
        {"Auf der zweiten Seite geht der Text weiter", "und endet."},
        {"Dritte Seite."},
    };
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            writer.newPage();
        painter.drawText(QPointF(20, 20), QStringLiteral("Jahresbericht 2024"));
        painter.drawText(QPointF(260, 790), QString::number(page + 1));
        for (int line = 0; line < pages[page].size(); ++line)
            painter.drawText(QPointF(20, 120 + 16 * line), pages[page][line]);
    }
}

void writeWithoutText(const QString& path)
{
    QPdfWriter writer(path);
    QPainter painter(&writer);
    painter.fillRect(QRect(100, 100, 2000, 2000), Qt::black); // a scanned page: pixels, no text
}

} // namespace

TEST(DocumentFile, ReadsAPdfWithoutRunningLinesAndRefusesWhatItCannotRead)
{
    QTemporaryDir folder;
    const QString report = folder.filePath("bericht.pdf"), scan = folder.filePath("scan.pdf");
    writeReport(report);
    writeWithoutText(scan);
    QFile damaged(folder.filePath("kaputt.pdf"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("%PDF-1.4\n1 0 obj <<") > 0);
    damaged.close();

    const auto document = documents::readDocumentFile(report);
    ASSERT_TRUE(document.ok()) << document.error().toStdString();
    EXPECT_EQ(document.value().kind, documents::Kind::Pdf);
    EXPECT_EQ(document.value().text.toStdString(),
              "Dieser Bericht beschreibt die neue Sprachausgabe, die jeden Text mit Effizienz liest. Sie ist seit "
              "dem Frühjahr im Einsatz.\nAuf der zweiten Seite geht der Text weiter und endet.\nDritte Seite.");

    std::vector<std::pair<QString, std::string>> refused = {
        {scan, "The document contains no text"},
        {damaged.fileName(), "The document is damaged"},
        {folder.path(), "Not a regular file"},
        {folder.filePath("fehlt.pdf"), "The file cannot be read: it does not exist"},
    };
    // qpdf (a test package) writes an encrypted copy; a password is needed to open it.
    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    if (!qpdf.isEmpty()) {
        const QString locked = folder.filePath("geheim.pdf");
        EXPECT_EQ(QProcess::execute(qpdf, {"--encrypt", "geheim", "eigner", "256", "--", report, locked}), 0);
        refused.push_back({locked, "The document is encrypted"});
    }
    for (const auto& [path, reason] : refused)
        EXPECT_EQ(documents::readDocumentFile(path).error().toStdString(), reason) << path.toStdString();
}
