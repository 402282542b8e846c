#pragma once

#include <QGuiApplication>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

// Lets the event loop run until the condition holds, for what other processes do; false when it still does not
// after about ten seconds.
template <typename Condition> bool eventually(Condition condition)
{
    for (int round = 0; round < 400 && !condition(); ++round)
        QTest::qWait(25);
    return condition();
}

// Why an X11 test cannot run here, or empty: the test program's own X server and the tools it drives.
inline QString missingForX11(const QStringList& tools)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return QStringLiteral("no X server of the test's own (Xvfb)");
    for (const QString& tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool + QStringLiteral(" is not installed");
    }
    return {};
}
