#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

namespace sys {

// Handles of the registry roots. 0 stands for an unknown root, on which every operation fails.
enum class RootKey : std::uint32_t {
    None = 0,
    ClassesRoot = 0x80000000,
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
    Users = 0x80000003,
    PerformanceData = 0x80000004,
    CurrentConfig = 0x80000005,
    DynData = 0x80000006,
};

// "HKLM\Software\Classes\.!Check" as root, key path and value name. A trailing backslash names the key's
// default (unnamed) value.
struct RegistryPath {
    RootKey root = RootKey::None;
    QString keyPath;
    QString valueName;
};

// Root name in any case, surrounding blanks ignored; only the four short forms HKCR, HKCU, HKLM, HKPD and HKDD
// besides the full names.
RootKey RootKeyFromName(const QString& name);

// Trims blanks, takes the root before the first backslash, and splits the rest at its last run of three, two or
// one backslashes, in that order of preference.
RegistryPath SplitRegistryPath(const QString& path);

QString CutAtNul(const QString& text);
QString TrimTrailingNuls(const QString& text);
// Every element as text, cut at its first NUL, empty ones skipped, each followed by one NUL.
QString JoinMultiString(const QVariantList& values);

} // namespace sys
