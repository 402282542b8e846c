#pragma once

#include <QString>

namespace wav {

// The folder field (tPath) split for the folder chooser: the folder up to and including its last "/", and the
// name behind it (normally empty), which OK writes back after the chosen folder. Without any "/" the folder is
// empty and the chooser opens at the home folder.
struct FolderField {
    QString folder;
    QString remainder;
};
FolderField splitFolderField(const QString& text);

// What OK writes into the folder field: the folder with exactly one trailing "/", then the remainder.
QString joinFolderField(const QString& folder, const QString& remainder);

} // namespace wav
