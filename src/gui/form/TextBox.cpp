#include "gui/form/TextBox.h"

#include "base/core/MessageBox.h"
#include "base/core/TextDecoding.h"

#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace form {

namespace {

// The editor's paragraphs become CR LF in the model, like every line break the program writes.
QString modelFromDocument(const QString& raw)
{
    QString model;
    model.reserve(raw.size() + raw.size() / 16);
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineFeed)
            model += QStringLiteral("\r\n");
        else
            model += c;
    }
    return model;
}

// Bigger files are no texts to read aloud, and would make the editor crawl.
constexpr qint64 MaxDroppedFileBytes = 16 * 1024 * 1024;

QStringList localFiles(const QMimeData* mime)
{
    QStringList files;
    if (mime && mime->hasUrls()) {
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile())
                files.append(url.toLocalFile());
        }
    }
    return files;
}

// The file's text, decoded as script files are; *ok false when it is not a readable text file.
QString readDroppedFile(const QString& path, bool* ok)
{
    QFile file(path);
    *ok = file.size() <= MaxDroppedFileBytes && file.open(QIODevice::ReadOnly);
    const QByteArray bytes = *ok ? file.readAll() : QByteArray();
    *ok = *ok && !bytes.contains('\0'); // binary data read aloud helps nobody
    if (!*ok)
        return {};
    QString text = core::decodeUtf8OrWindows1252(bytes);
    // The editor takes "\n" as its line break; a CR would become a second one.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

TextBox::TextBox(QWidget* parent)
    : QWidget(parent)
    , m_editor(new QPlainTextEdit(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this); // drops arrive at the viewport
    connect(m_editor, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_settingText)
            takeUserEdit();
    });
}

void TextBox::setText(const QString& text)
{
    m_text = text;
    m_crlfAt.clear();
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            m_crlfAt.append(i);
            continue; // the LF that follows becomes the one line break the widget shows
        }
        shown += text[i];
    }
    m_settingText = true;
    m_editor->setPlainText(shown);
    m_settingText = false;
    emit textChanged();
}

void TextBox::takeUserEdit()
{
    m_text = modelFromDocument(m_editor->document()->toRawText());
    m_crlfAt.clear();
    for (qsizetype i = m_text.indexOf(QLatin1Char('\r')); i >= 0; i = m_text.indexOf(QLatin1Char('\r'), i + 1)) {
        if (i + 1 < m_text.size() && m_text[i + 1] == QLatin1Char('\n'))
            m_crlfAt.append(i);
    }
    emit textChanged();
}

qsizetype TextBox::toWidget(qsizetype offset) const
{
    // Every CR LF pair that ends at or before the offset counts once in the widget.
    const auto pairsBefore = std::lower_bound(m_crlfAt.cbegin(), m_crlfAt.cend(), offset - 1) - m_crlfAt.cbegin();
    return offset - pairsBefore;
}

qsizetype TextBox::fromWidget(qsizetype position) const
{
    // The largest offset that maps to the widget position: never the middle of a CR LF pair.
    qsizetype low = position;
    qsizetype high = std::min(m_text.size(), position + m_crlfAt.size()) + 1;
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        if (toWidget(middle) <= position)
            low = middle + 1;
        else
            high = middle;
    }
    return std::min(low - 1, m_text.size());
}

bool TextBox::setSelection(qsizetype start, qsizetype length)
{
    if (start < 0 || length < 0 || start > m_text.size())
        return false;
    const qsizetype end = std::min(m_text.size(), start + length);
    QTextCursor cursor(m_editor->document());
    cursor.setPosition(int(toWidget(start)));
    cursor.setPosition(int(toWidget(end)), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
    return true;
}

qsizetype TextBox::selectionStart() const
{
    return fromWidget(m_editor->textCursor().selectionStart());
}

qsizetype TextBox::selectionLength() const
{
    const QTextCursor cursor = m_editor->textCursor();
    return fromWidget(cursor.selectionEnd()) - fromWidget(cursor.selectionStart());
}

bool TextBox::isLocked() const
{
    return m_editor->isReadOnly();
}

void TextBox::setLocked(bool locked)
{
    m_editor->setReadOnly(locked);
    // A read-only editor hides its caret and selection from keyboard navigation; keep selecting visible.
    m_editor->setTextInteractionFlags(locked ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                             : Qt::TextEditorInteraction);
}

bool TextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::FocusIn)
        emit focusGained();
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        // Tab types a tab here; Ctrl+Tab and Ctrl+Shift+Tab are the keyboard's way out of the box.
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (key->modifiers() & Qt::ControlModifier))
            return focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
    }
    if (watched == m_editor->viewport() && !isLocked()) {
        const bool files = (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                            event->type() == QEvent::Drop) &&
                           !localFiles(static_cast<QDropEvent*>(event)->mimeData()).isEmpty();
        if (files && event->type() == QEvent::Drop) {
            dropFiles(*static_cast<QDropEvent*>(event));
            return true;
        }
        if (files) {
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TextBox::dropFiles(QDropEvent& event)
{
    QTextCursor cursor = m_editor->cursorForPosition(event.position().toPoint());
    cursor.beginEditBlock(); // one undo step for the whole drop
    for (const QString& path : localFiles(event.mimeData())) {
        if (const std::optional<QString> document = m_documentReader ? m_documentReader(path) : std::nullopt) {
            cursor.insertText(*document);
            continue;
        }
        bool ok = false;
        const QString text = readDroppedFile(path, &ok);
        if (ok)
            cursor.insertText(text);
        else
            core::showMessage({QStringLiteral(" FEHLER:"), QStringLiteral("  Datei ''") + path +
                                                               QStringLiteral("'' ist keine lesbare Textdatei.    ")});
    }
    cursor.endEditBlock();
    m_editor->setTextCursor(cursor);
    event.acceptProposedAction();
}

} // namespace form
