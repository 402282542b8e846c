#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace wav {

// The modal "Ziel-Ordner:" dialog of cPath: a list of the mounted file systems (Drive1) and a folder list
// (Dir1) that shows the path down to the current folder and its subfolders. The current folder changes only on
// a double-click or a change of file system; OK takes the current folder, never a merely highlighted one.
class FolderChooser : public QDialog {
    Q_OBJECT
public:
    // Opens at the folder of fieldText (the text of tPath), centred over mainWindow.
    FolderChooser(const QString& fieldText, QWidget* mainWindow);

    // Shows the chooser for the folder field and writes the chosen folder back on OK.
    static void choose(QWidget* mainWindow, QString* fieldText);

    QString currentFolder() const { return m_current; }
    // The folder field's new text: the current folder, one "/", and the name that stood behind the last "/".
    QString fieldText() const;

    // Makes folder the current one; false, and nothing changes, when it cannot be shown.
    bool showFolder(const QString& folder);

private:
    void fillDrives();
    void driveChanged(int index);
    void folderActivated(QListWidgetItem* item);

    QGroupBox* m_frame1 = nullptr;
    QComboBox* m_drive1 = nullptr;
    QListWidget* m_dir1 = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_current;
    QString m_remainder;
};

} // namespace wav
