#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace sys {

// The folders the association writes into and consults, as the XDG base directories name them.
struct AssociationFolders {
    QString dataHome;         // $XDG_DATA_HOME
    QString configHome;       // $XDG_CONFIG_HOME
    QStringList systemConfig; // $XDG_CONFIG_DIRS
    QStringList systemData;   // $XDG_DATA_DIRS

    static AssociationFolders current();
};

// Makes .tts scripts open with this program and show its icon, for the current user, the freedesktop way: a MIME
// type for *.tts, a .desktop entry that runs the program with the script, the icon in the user's hicolor theme,
// and the type's default application where none is set yet. Only what is missing or outdated is written, and
// nothing is ever deleted, so a second start from the same place touches no file.
class FileAssociation {
public:
    static constexpr const char* kMimeType = "text/x-sprechkit-script";
    static constexpr const char* kDesktopId = "sprechkit-tts.desktop";
    // The icon's name in the theme: the application id, as the installed desktop entry and the MIME type name it.
    static constexpr const char* kIconName = SPRECHKIT_APP_ID;

    // refresh is handed the update commands (program and arguments) for the databases that changed.
    using Refresh = std::function<void(const QList<QStringList>& commands)>;

    FileAssociation(QString programPath, AssociationFolders folders, QByteArray icon, Refresh refresh);

    // Returns the files it wrote.
    QStringList check() const;

    QString mimePackagePath() const;
    QString desktopEntryPath() const;
    QString iconPath() const;
    QString mimeappsPath() const;
    QString desktopEntry() const;

private:
    bool defaultApplicationSet() const;
    bool writeDefaultApplication() const;

    QString m_programPath;
    AssociationFolders m_folders;
    QByteArray m_icon;
    Refresh m_refresh;
};

// The start-up's check: this program, the current user's folders, the database tools started without waiting
// when they are installed.
void ChkRegistry();
// Replaces how ChkRegistry refreshes the databases (empty: start the tools); tests keep them from running.
void setDatabaseRefreshForTesting(FileAssociation::Refresh refresh);

} // namespace sys
