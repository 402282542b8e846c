#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QDropEvent;
class QPlainTextEdit;

namespace form {

// The main text box. Its model is the exact string that was set (CR LF kept), and selections are UTF-16 offsets
// of that string, the same units as the voice's word events. The widget shows CR LF as one line break, so
// offsets are mapped. Locked blocks only the user's edits; the program can always set the text.
class TextBox : public QWidget {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);

    // Selects [start, start + length) of text(); clamped to the text. False when the range lies outside it.
    bool setSelection(qsizetype start, qsizetype length);
    qsizetype selectionStart() const;
    qsizetype selectionLength() const;
    void moveCaretToEnd() { setSelection(m_text.size(), 0); }

    bool isLocked() const;
    void setLocked(bool locked);

    QPlainTextEdit* editor() const { return m_editor; }

    // Reads a dropped file as a document (PDF, EPUB, ...): its text with "\n" line breaks, or nothing when the file
    // is no document, which the drop then reads as a text file. A document that cannot be read is reported by the
    // reader and gives an empty text.
    using DocumentReader = std::function<std::optional<QString>(const QString& path)>;
    void setDocumentReader(DocumentReader reader) { m_documentReader = std::move(reader); }

signals:
    void textChanged();
    void focusGained();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeUserEdit();
    // Inserts the texts of the dropped files where they were dropped.
    void dropFiles(QDropEvent& event);
    qsizetype toWidget(qsizetype offset) const;
    qsizetype fromWidget(qsizetype position) const;

    QPlainTextEdit* m_editor;
    QString m_text;
    QList<qsizetype> m_crlfAt; // offsets in m_text of every CR that starts a CR LF pair, ascending
    bool m_settingText = false;
    DocumentReader m_documentReader;
};

} // namespace form
