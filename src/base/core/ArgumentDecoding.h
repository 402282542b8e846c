#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace core {

// The program's arguments as text. An argument whose bytes are not valid UTF-8 (a file name from an old Latin-1
// system) cannot be spelled in a QString so that Qt finds the file again: when it names an existing script file (or,
// as "@name", one in exeDir), it becomes the path of a link to that file with a name Qt can spell, kept for the
// program's life. Any other such argument is read as Windows-1252, like files that are not UTF-8.
QStringList decodeArguments(const QList<QByteArray>& arguments, const QByteArray& exeDir);

} // namespace core
