#pragma once

#include "base/core/Result.h"
#include "base/system/RegistryPath.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace sys {

// The registry's value types by their classic numbers.
enum class RegistryType { String = 1, Binary = 3, Dword = 4, MultiString = 7 };

struct RegistryValue {
    RegistryType type = RegistryType::String;
    QString text;        // String
    QStringList strings; // MultiString
    qint32 number = 0;   // Dword
    QByteArray bytes;    // Binary

    bool operator==(const RegistryValue&) const = default;
};

// Where the keys and values live. Key paths are backslash-separated below the root ("" is the root itself);
// key and value names match without regard to case. Every call stands alone: nothing stays open between calls.
// Changes fail with an English reason.
class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    virtual bool keyExists(RootKey root, const QString& keyPath) const = 0;
    // Creates the key and its missing parents; success when it exists afterwards.
    virtual core::Result createKey(RootKey root, const QString& keyPath) = 0;
    // Fails for a missing key, the root, or a key that still has subkeys.
    virtual core::Result deleteKey(RootKey root, const QString& keyPath) = 0;
    virtual std::optional<RegistryValue> value(RootKey root, const QString& keyPath, const QString& name) const = 0;
    // Fails when the key does not exist.
    virtual core::Result setValue(RootKey root, const QString& keyPath, const QString& name,
                                  const RegistryValue& value) = 0;
    virtual core::Result deleteValue(RootKey root, const QString& keyPath, const QString& name) = 0;
    // Empty when the key does not exist.
    virtual std::optional<QStringList> subkeyNames(RootKey root, const QString& keyPath) const = 0;
};

} // namespace sys
