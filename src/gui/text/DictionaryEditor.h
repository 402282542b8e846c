#pragma once

#include "gui/form/Controls.h"

#include <QObject>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace text {

// The dictionary editor on the window: the current row of liWords shown in tWL1 and tWL2, typing there
// rewriting the current row letter by letter, and Add, Remove, Move up and Move down. Every change goes straight
// into the list; the list reaches the file at exit (DictionaryList).
//
// Only typing changes a row: the editor's own writes into the two boxes never do. While no row is current
// (after the first or the last row was removed), Add appends the new empty row at the end, Remove does nothing
// and typing changes no row. The constructor connects the controls.
class DictionaryEditor : public QObject {
    Q_OBJECT
public:
    // The window's controls this class works on.
    struct Widgets {
        QListWidget* liWords;
        QLineEdit* tWL1; // search word of the current row
        QLineEdit* tWL2; // its replacement
        QPushButton* cAdd;
        QPushButton* cRemove;
        QPushButton* cUp;
        QPushButton* cDn;
    };

    explicit DictionaryEditor(const Widgets& widgets, QObject* parent = nullptr);

    void Add();
    void Remove();
    void MoveUp();
    void MoveDown();
    bool listHasFocus() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rowSelected();
    void searchWordTyped();
    void replacementTyped();
    void uncheckCurrentIfNoSearchWord();
    void move(int step);
    void insertEmptyRow(int index);
    void removeEmptyRowsExceptCurrent();

    Widgets m_controls;
    bool m_listBusy = false; // the editor itself is changing the current row: the edit boxes keep their text
};

} // namespace text
