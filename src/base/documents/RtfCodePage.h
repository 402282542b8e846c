#pragma once

#include <QByteArray>
#include <QString>

namespace documents {

// The code page an RTF \fcharset stands for; `ansiCodePage` for the ANSI and default character sets.
int codePageOfCharset(int charset, int ansiCodePage);

// Bytes in a Windows code page. 1252 needs no help; others are decoded where Qt knows them, as 1252 otherwise.
QString decodeCodePage(const QByteArray& bytes, int codePage);

} // namespace documents
