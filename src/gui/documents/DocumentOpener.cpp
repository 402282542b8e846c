#include "gui/documents/DocumentOpener.h"

#include "base/core/MessageBox.h"
#include "base/documents/DocumentKind.h"
#include "base/documents/DocumentProblem.h"
#include "gui/form/TextBox.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextCursor>
#include <QWidget>

namespace documents {

namespace {

constexpr Kind kOpenedKinds[] = {Kind::Pdf,  Kind::Epub,     Kind::Odt, Kind::Docx,
                                 Kind::Html, Kind::Markdown, Kind::Rtf, Kind::Text};

QString patterns(Kind kind)
{
    QStringList patterns = kindExtensions(kind);
    for (QString& pattern : patterns)
        pattern.prepend(QLatin1String("*."));
    return patterns.join(QLatin1Char(' '));
}

// The editor takes "\n" as its line break: a CR would make a second one.
QString editorText(const OpenedDocument& opened)
{
    return QString(opened.text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

DocumentOpener::DocumentOpener(QWidget* window, form::TextBox* textBox, OpenedDocument& opened, FileReader reader)
    : QObject(window)
    , m_window(window)
    , m_textBox(textBox)
    , m_opened(opened)
    , m_reader(std::move(reader))
    , m_folder(QDir::homePath())
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), window);
    connect(shortcut, &QShortcut::activated, this, &DocumentOpener::chooseAndOpen);
    m_textBox->setDocumentReader([this](const QString& path) { return dropped(path); });
}

QStringList DocumentOpener::fileFilters()
{
    QStringList all;
    QStringList filters;
    for (const Kind kind : kOpenedKinds) {
        all.append(patterns(kind));
        const QString name =
            kind == Kind::Text ? QStringLiteral("Textdateien") : kindName(kind) + QStringLiteral("-Dateien");
        filters.append(name + QStringLiteral(" (") + patterns(kind) + QLatin1Char(')'));
    }
    filters.prepend(QStringLiteral("Alle Dokumente (") + all.join(QLatin1Char(' ')) + QLatin1Char(')'));
    filters.append(QStringLiteral("Alle Dateien (*)"));
    return filters;
}

void DocumentOpener::chooseAndOpen()
{
    if (m_textBox->isLocked()) {
        QApplication::beep();
        return;
    }
    const QString path = QFileDialog::getOpenFileName(m_window, QStringLiteral("Dokument öffnen"), m_folder,
                                                      fileFilters().join(QLatin1String(";;")));
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    (void)open(path); // a failure has been shown
}

bool DocumentOpener::open(const QString& path)
{
    const core::ResultOf<Document> document = read(path);
    if (!document) {
        showFailure(path, document.error());
        return false;
    }
    const OpenedDocument opened = openedDocument(document.value(), path);
    QTextCursor cursor(m_textBox->editor()->document());
    cursor.beginEditBlock(); // one undo step: Ctrl+Z brings the earlier text back
    cursor.select(QTextCursor::Document);
    cursor.insertText(editorText(opened));
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::Start);
    m_textBox->editor()->setTextCursor(cursor);
    m_opened = opened;
    return true;
}

std::optional<QString> DocumentOpener::dropped(const QString& path)
{
    const core::ResultOf<Document> document = read(path);
    // Text, and what no reader takes (binary data), the text box reads or refuses as it always has.
    if (document ? document.value().kind == Kind::Text
                 : document.error().startsWith(failure(Problem::UnknownKind).error()))
        return std::nullopt;
    if (!document) {
        showFailure(path, document.error());
        return QString();
    }
    return editorText(openedDocument(document.value(), path));
}

core::ResultOf<Document> DocumentOpener::read(const QString& path) const
{
    // A book as PDF takes a moment.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    core::ResultOf<Document> document = m_reader(path);
    QApplication::restoreOverrideCursor();
    return document;
}

void DocumentOpener::showFailure(const QString& path, const QString& reason)
{
    core::showMessage({QStringLiteral(" FEHLER:"), readFailureMessage(path, reason), core::MessageButtons::Ok,
                       core::MessageIcon::Exclamation});
}

} // namespace documents
