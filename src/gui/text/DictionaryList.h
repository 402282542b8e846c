#pragma once

#include "base/core/Result.h"
#include "base/text/DictionaryRow.h"

#include <QList>
#include <QObject>
#include <QString>

namespace form {
struct Controls;
}

namespace text {

// The dictionary as the window holds it: the rows of liWords, each with its check box as the active flag, and
// the empty row at the end where new entries are typed. Loaded once at start-up, saved once at exit when this run
// changed it.
class DictionaryList {
public:
    DictionaryList(const form::Controls& controls, QString filePath);

    // Fills the list from the file (or the default entries), shows the read-only notice and disables the editing
    // controls when the file cannot be written, and makes the empty row at the end current.
    void LoadWords();
    // Writes the rows to the file when this run changed them (an edit, a check box, a row the preparation pass
    // switched off) or the file is still missing; false with an English description when that failed (the old
    // file stays). A run that changed nothing leaves alone what another window or a hand edit saved meanwhile.
    core::Result SaveWords() const;

    QList<DictionaryRow> rows() const;
    void uncheckRow(int index);
    bool isReadOnly() const { return m_readOnly; }
    QString filePath() const { return m_filePath; }

private:
    void appendRow(const DictionaryRow& row);
    void showReadOnlyNotice();

    const form::Controls& m_controls;
    QString m_filePath;
    core::Result m_loaded;
    bool m_loadedDefaults = false;
    bool m_changed = false;
    QObject m_changeWatch; // the context of the list's change signals, which go with it
    bool m_readOnly = false;
};

} // namespace text
