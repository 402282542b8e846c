#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The built program copied into a temporary folder (so its dictionary, scripts and WAV files land there), run
// with HOME and the XDG folders inside a temporary directory and without a display.
class ProgramRun {
public:
    ProgramRun();

    QString dir() const { return m_dir.path(); }
    QString programPath() const { return m_dir.filePath(QStringLiteral("sprechkit")); }
    QString settingsFile() const;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void writeFile(const QString& name, const QByteArray& content) const;
    QByteArray readFile(const QString& name) const;

    struct Result {
        int exitCode = -1;
        bool finished = false;
        QString standardError;
    };
    // Runs the program with the given standard input and waits for it to end by itself (at most timeoutMs).
    Result run(const QStringList& arguments, int timeoutMs = 60000, const QByteArray& standardInput = {}) const;

    QProcessEnvironment& environment() { return m_environment; }

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_environment;
};
