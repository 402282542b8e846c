#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// An X server of the test's own (Xvfb), so the program shows real windows that xdotool can drive.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":91" and so on; empty when no server could be started.
    QString display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

// Runs xdotool on the display and returns its output, trimmed.
QString xdotool(const QString& display, const QStringList& arguments);
