#pragma once

#include "base/system/RegistryBackend.h"

#include <QVariant>

#include <functional>

namespace sys {

// Path-addressed registry access over a backend: one text such as "HKLM\Software\Classes\.!Check" names root,
// key and value. Every operation fails silently and reports only through its result.
class Registry {
public:
    // Listing a key's values (2) is not offered: nothing needs it, and like any unknown action it reads the value.
    enum Action : qint16 { ReadValue = 0, ListKeys = 1, CreateKey = 3, DeleteKey = 4, DeleteValue = 5 };

    // beep sounds when an array of variants is to be written (it is not stored).
    explicit Registry(RegistryBackend& backend, std::function<void()> beep = {});

    // Action 0 (and any unknown action): the value as QString, QStringList, int or QByteArray; an invalid
    // QVariant when absent. Action 1: QStringList. Actions 3 to 5: bool.
    QVariant read(const QString& path, qint16 action = ReadValue) const;
    // The registry type follows the value's kind: small integers a Dword, QString a String cut at its first NUL,
    // QStringList a MultiString, QByteArray Binary, an invalid QVariant the empty String, anything else its text.
    void write(const QString& path, const QVariant& value);

    // Subkey names, or one empty name when there are none or the key is missing.
    QStringList GetAllKeys(const QString& path) const;
    // The value's type number; 0 when the value is missing, -1 when the key is.
    int QueryValueType(RootKey root, const QString& keyPath, const QString& valueName) const;

private:
    RegistryBackend& m_backend;
    std::function<void()> m_beep;
};

} // namespace sys
