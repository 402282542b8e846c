#include "VirtualDisplay.h"

#include <QProcessEnvironment>

VirtualDisplay::VirtualDisplay()
{
    // The server takes a free display itself and names it once it accepts clients: test programs running at once
    // would otherwise both take the first number that looks free.
    m_server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!m_server.waitForStarted(5000))
        return;
    for (int i = 0; i < 100 && !m_server.canReadLine() && m_server.state() == QProcess::Running; ++i)
        m_server.waitForReadyRead(100);
    const QByteArray number = m_server.readLine().trimmed();
    if (!number.isEmpty())
        m_display = QLatin1Char(':') + QString::fromLatin1(number);
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
