#include "core/StandardInput.h"

#include "core/TextDecoding.h"

#include <QFile>

#include <cstdio>

namespace core {

QString readTextFrom(QIODevice& input)
{
    QString text = decodeUtf8OrWindows1252(input.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(text.endsWith(QLatin1String("\r\n")) ? 2 : 1);
    return text;
}

QString readStandardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return {};
    return readTextFrom(input);
}

} // namespace core
