#pragma once

// Shared by the fuzz targets: an input is a first byte of switches, then texts separated by the byte 0x1F, so
// that seed files stay readable (printf 'x%s\x1f%s' ...). Texts are UTF-8; what is not decodes to U+FFFD.

#include "base/core/MessageBox.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

struct FuzzInput {
    quint8 switches = 0;
    QStringList parts; // at least one, possibly empty

    FuzzInput(const uint8_t* data, size_t size)
    {
        const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
        if (!bytes.isEmpty())
            switches = quint8(bytes[0]);
        for (const QByteArray& part : bytes.mid(1).split('\x1f'))
            parts.append(QString::fromUtf8(part));
    }

    bool bit(int n) const { return (switches >> n) & 1; }
    QString part(qsizetype i) const { return parts.value(i); }
};

// A file in a temporary folder that lives as long as the fuzz program.
inline QString fuzzFilePath(const QString& name)
{
    static QTemporaryDir folder;
    return folder.filePath(name);
}

// A property that does not hold is a finding: abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                   \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// The core shows no message boxes (its callers do): one shown during a run is a finding. Each target is a single
// source file, so this is its one initialiser.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    core::setMessageHandler([](const core::Message& message) -> core::MessageAnswer {
        std::fprintf(stderr, "message box shown: %s\n", qPrintable(message.text));
        std::abort();
    });
    return 0;
}
