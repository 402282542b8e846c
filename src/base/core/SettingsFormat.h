#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace core {

// The settings file's text, as QSettings writes and reads its INI format, so files of earlier versions read
// and ours stay readable by them. Keys are paths with "/" between groups ("Sprechkit/Voices/German/Rate"); the
// first group is the INI section, the rest the key with "\" between groups.
QByteArray encodeSettings(const QMap<QString, QString>& values);
QMap<QString, QString> decodeSettings(const QByteArray& text);

} // namespace core
