#pragma once

// Whole files written and read in one call, for the tests' own fixtures; a write that fails fails the test.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

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

// The text as an editor saves "Unicode": UTF-16 after a byte-order mark.
inline QByteArray utf16(const QString& text, bool littleEndian = true)
{
    return QStringEncoder(littleEndian ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE,
                          QStringEncoder::Flag::WriteBom)(text);
}

// Runs a write under a file size limit of a few bytes, the way a full disk breaks it off.
template <typename Write> auto onAFullDisk(Write write)
{
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 16;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}
