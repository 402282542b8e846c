#include "base/core/Version.h"

namespace core {

namespace {

// Revisions 1..26 are the letters a..z. Beyond that the letters go on in two places (27 "aa", 28 "ab", ...,
// 52 "az", 53 "ba"), so every revision keeps a letter that sorts after the ones before it.
QString revisionLetters(int revision)
{
    QString letters;
    for (int n = revision; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'a' + (n - 1) % 26));
    return letters;
}

} // namespace

QString formatProgVer(int major, int minor, int revision)
{
    QString version =
        QString::number(major) + QLatin1Char('.') + (QLatin1String("00") + QString::number(minor)).right(2);
    if (revision == 9999)
        version += QChar(u'ß');
    else if (revision > 0)
        version += revisionLetters(revision);
    return version;
}

QString GetProgVer()
{
    return formatProgVer(SPRECHKIT_VERSION_MAJOR, SPRECHKIT_VERSION_MINOR, SPRECHKIT_VERSION_PATCH);
}

} // namespace core
