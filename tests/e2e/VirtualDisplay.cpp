#include "VirtualDisplay.h"

#include <QFileInfo>
#include <QProcessEnvironment>

VirtualDisplay::VirtualDisplay()
{
    for (int number = 91; number < 99 && m_display.isEmpty(); ++number) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral(":%1").arg(number), "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        m_server.waitForStarted(5000);
        for (int i = 0; i < 100 && m_server.state() == QProcess::Running; ++i) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))) {
                m_display = QStringLiteral(":%1").arg(number);
                break;
            }
            m_server.waitForFinished(50);
        }
    }
}

VirtualDisplay::~VirtualDisplay()
{
    m_server.terminate();
    m_server.waitForFinished(5000);
}

QString xdotool(const QString& display, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}
