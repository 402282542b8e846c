#pragma once

#include "base/core/Result.h"
#include "base/system/RegistryBackend.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace sys {

// One key of the registry kept in a file, with its subkeys and values in the order they were made.
struct RegistryNode {
    QString name;
    std::vector<RegistryNode> keys;
    std::vector<std::pair<QString, RegistryValue>> values;
};

// The file's text: a JSON object per key, {"keys": [...], "values": [...]}, each subkey with its "name" and each
// value with "name", "type" ("string", "multi-string", "dword", "binary", the last as Base64) and "data".
QByteArray encodeRegistryTree(const RegistryNode& root);
// Fails with the reason for a text that is not such a tree, even in part: a store that reads wrong must not be
// written back with what was understood of it.
core::ResultOf<RegistryNode> decodeRegistryTree(const QByteArray& json);

} // namespace sys
