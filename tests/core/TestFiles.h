#pragma once

// Whole files written and read in one call, for the tests' own fixtures; a write that fails fails the test.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
