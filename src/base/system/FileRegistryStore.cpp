#include "base/system/FileRegistryStore.h"

#include "base/system/LockFile.h"
#include "base/system/ReplaceFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>

namespace sys {

namespace {

const QString kFileName = QStringLiteral("Registry.json");
// A writer holds the lock only for one read-change-write of a small file; waiting longer means something is
// wrong, and the caller goes on without the change.
constexpr int kLockTimeoutMs = 2000;

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QStringList keyNames(const QString& keyPath)
{
    return keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

template <typename List> auto findNamed(List& list, const QString& name)
{
    return std::find_if(list.begin(), list.end(), [&](const auto& item) {
        if constexpr (requires { item.name; })
            return sameName(item.name, name);
        else
            return sameName(item.first, name);
    });
}

template <typename N> N* findKey(N& tree, const QString& keyPath)
{
    N* node = &tree;
    for (const QString& name : keyNames(keyPath)) {
        const auto it = findNamed(node->keys, name);
        if (it == node->keys.end())
            return nullptr;
        node = &*it;
    }
    return node;
}

core::Result noKey(const QString& keyPath)
{
    return core::Result::failure(QStringLiteral("The key \"%1\" does not exist").arg(keyPath));
}

} // namespace

FileRegistryStore::FileRegistryStore(QString userFolder, QString machineFolder)
    : m_userFolder(std::move(userFolder))
    , m_machineFolder(std::move(machineFolder))
{
}

FileRegistryStore::~FileRegistryStore() = default;

QString FileRegistryStore::defaultUserFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Sprechkit");
}

QString FileRegistryStore::defaultMachineFolder()
{
    return QStringLiteral("/var/lib/sprechkit");
}

QString FileRegistryStore::fileName(RootKey root) const
{
    if (root == RootKey::CurrentUser && !m_userFolder.isEmpty())
        return m_userFolder + QLatin1Char('/') + kFileName;
    if (root == RootKey::LocalMachine && !m_machineFolder.isEmpty())
        return m_machineFolder + QLatin1Char('/') + kFileName;
    return {};
}

core::ResultOf<RegistryNode> FileRegistryStore::load(RootKey root) const
{
    const QString path = fileName(root);
    if (path.isEmpty())
        return core::Result::failure(QStringLiteral("No registry store for this root key"));
    QFile file(path);
    if (!file.exists())
        return RegistryNode{};
    if (!file.open(QIODevice::ReadOnly))
        return core::Result::failure(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    core::ResultOf<RegistryNode> tree = decodeRegistryTree(file.readAll());
    if (!tree)
        return core::Result::failure(QStringLiteral("%1 is no registry store: %2").arg(path, tree.error()));
    return tree;
}

core::Result FileRegistryStore::modify(RootKey root, const std::function<core::Result(RegistryNode&)>& change)
{
    const QString path = fileName(root);
    if (path.isEmpty())
        return core::Result::failure(QStringLiteral("No registry store for this root key"));
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return core::Result::failure(QStringLiteral("Cannot create the folder %1").arg(folder));
    const LockFile lock(path + QStringLiteral(".lock"), kLockTimeoutMs);
    if (!lock.status())
        return lock.status();
    const core::ResultOf<RegistryNode> loaded = load(root);
    if (!loaded)
        return loaded.result();
    RegistryNode tree = loaded.value();
    if (core::Result changed = change(tree); !changed)
        return changed;
    return replaceFile(path, encodeRegistryTree(tree));
}

bool FileRegistryStore::keyExists(RootKey root, const QString& keyPath) const
{
    const core::ResultOf<RegistryNode> tree = load(root);
    return tree && findKey(tree.value(), keyPath);
}

core::Result FileRegistryStore::createKey(RootKey root, const QString& keyPath)
{
    if (keyExists(root, keyPath))
        return {};
    return modify(root, [&](RegistryNode& tree) {
        RegistryNode* node = &tree;
        for (const QString& name : keyNames(keyPath)) {
            auto it = findNamed(node->keys, name);
            if (it == node->keys.end()) {
                node->keys.push_back(RegistryNode{name, {}, {}});
                it = node->keys.end() - 1;
            }
            node = &*it;
        }
        return core::Result();
    });
}

core::Result FileRegistryStore::deleteKey(RootKey root, const QString& keyPath)
{
    QStringList names = keyNames(keyPath);
    if (names.isEmpty())
        return core::Result::failure(QStringLiteral("The root key cannot be deleted"));
    const QString last = names.takeLast();
    return modify(root, [&](RegistryNode& tree) {
        RegistryNode* parent = findKey(tree, names.join(QLatin1Char('\\')));
        if (!parent)
            return noKey(keyPath);
        const auto it = findNamed(parent->keys, last);
        if (it == parent->keys.end())
            return noKey(keyPath);
        if (!it->keys.empty())
            return core::Result::failure(QStringLiteral("The key \"%1\" still has subkeys").arg(keyPath));
        parent->keys.erase(it);
        return core::Result();
    });
}

std::optional<RegistryValue> FileRegistryStore::value(RootKey root, const QString& keyPath, const QString& name) const
{
    const core::ResultOf<RegistryNode> tree = load(root);
    const RegistryNode* key = tree ? findKey(tree.value(), keyPath) : nullptr;
    if (!key)
        return std::nullopt;
    const auto it = findNamed(key->values, name);
    if (it == key->values.end())
        return std::nullopt;
    return it->second;
}

core::Result FileRegistryStore::setValue(RootKey root, const QString& keyPath, const QString& name,
                                         const RegistryValue& value)
{
    return modify(root, [&](RegistryNode& tree) {
        RegistryNode* key = findKey(tree, keyPath);
        if (!key)
            return noKey(keyPath);
        const auto it = findNamed(key->values, name);
        if (it == key->values.end())
            key->values.emplace_back(name, value);
        else
            it->second = value;
        return core::Result();
    });
}

core::Result FileRegistryStore::deleteValue(RootKey root, const QString& keyPath, const QString& name)
{
    return modify(root, [&](RegistryNode& tree) {
        RegistryNode* key = findKey(tree, keyPath);
        if (!key)
            return noKey(keyPath);
        const auto it = findNamed(key->values, name);
        if (it == key->values.end())
            return core::Result::failure(QStringLiteral("The value \"%1\" does not exist").arg(name));
        key->values.erase(it);
        return core::Result();
    });
}

std::optional<QStringList> FileRegistryStore::subkeyNames(RootKey root, const QString& keyPath) const
{
    const core::ResultOf<RegistryNode> tree = load(root);
    const RegistryNode* key = tree ? findKey(tree.value(), keyPath) : nullptr;
    if (!key)
        return std::nullopt;
    QStringList names;
    for (const RegistryNode& child : key->keys)
        names.append(child.name);
    return names;
}

} // namespace sys
