#include "system/FileRegistryStore.h"

#include "system/ReplaceFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace sys {

struct FileRegistryStore::Node {
    QString name;
    std::vector<Node> keys;
    std::vector<std::pair<QString, RegistryValue>> values;
};

namespace {

using Node = FileRegistryStore::Node;

const QString kFileName = QStringLiteral("Registry.json");
// A writer holds the lock only for one read-change-write of a small file; waiting longer means something is
// wrong, and the caller goes on without the change.
constexpr int kLockTimeoutMs = 2000;

// An flock() on a lock file beside the store: released by the system when a writer dies, so no lock goes stale,
// and taken without the disk flush a lock file with the owner's details would need. Opening it for writing needs
// the right to write the folder, so a reader without rights cannot hold up the administrator's writes.
class StoreLock {
public:
    explicit StoreLock(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        for (int waited = 0; m_fd >= 0 && !m_locked; waited += kPollMs) {
            m_locked = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
            if (!m_locked && waited >= kLockTimeoutMs)
                break;
            if (!m_locked)
                QThread::msleep(kPollMs);
        }
    }
    ~StoreLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // also releases the lock
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool locked() const { return m_locked; }

private:
    static constexpr int kPollMs = 5;
    int m_fd;
    bool m_locked = false;
};

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

const char* typeName(RegistryType type)
{
    switch (type) {
    case RegistryType::String:
        return "string";
    case RegistryType::Binary:
        return "binary";
    case RegistryType::Dword:
        return "dword";
    case RegistryType::MultiString:
        return "multi-string";
    }
    return "string";
}

QJsonObject toJson(const Node& node)
{
    QJsonArray keys;
    for (const Node& key : node.keys) {
        QJsonObject object = toJson(key);
        object.insert(QStringLiteral("name"), key.name);
        keys.append(object);
    }
    QJsonArray values;
    for (const auto& [name, value] : node.values) {
        QJsonObject object{{QStringLiteral("name"), name}, {QStringLiteral("type"), typeName(value.type)}};
        switch (value.type) {
        case RegistryType::String:
            object.insert(QStringLiteral("data"), value.text);
            break;
        case RegistryType::MultiString:
            object.insert(QStringLiteral("data"), QJsonArray::fromStringList(value.strings));
            break;
        case RegistryType::Dword:
            object.insert(QStringLiteral("data"), value.number);
            break;
        case RegistryType::Binary:
            object.insert(QStringLiteral("data"), QString::fromLatin1(value.bytes.toBase64()));
            break;
        }
        values.append(object);
    }
    return {{QStringLiteral("keys"), keys}, {QStringLiteral("values"), values}};
}

bool fromJson(const QJsonObject& object, Node& node)
{
    for (const QJsonValue& key : object.value(QStringLiteral("keys")).toArray()) {
        if (!key.isObject() || !key[QStringLiteral("name")].isString())
            return false;
        Node child;
        child.name = key[QStringLiteral("name")].toString();
        if (!fromJson(key.toObject(), child))
            return false;
        node.keys.push_back(std::move(child));
    }
    for (const QJsonValue& entry : object.value(QStringLiteral("values")).toArray()) {
        const QString type = entry[QStringLiteral("type")].toString();
        const QJsonValue data = entry[QStringLiteral("data")];
        RegistryValue value;
        if (type == QLatin1String("string") && data.isString()) {
            value.text = data.toString();
        } else if (type == QLatin1String("multi-string") && data.isArray()) {
            value.type = RegistryType::MultiString;
            for (const QJsonValue& text : data.toArray())
                value.strings.append(text.toString());
        } else if (type == QLatin1String("dword") && data.isDouble()) {
            value.type = RegistryType::Dword;
            value.number = qint32(data.toInteger());
        } else if (type == QLatin1String("binary") && data.isString()) {
            value.type = RegistryType::Binary;
            value.bytes = QByteArray::fromBase64(data.toString().toLatin1());
        } else {
            return false;
        }
        node.values.emplace_back(entry[QStringLiteral("name")].toString(), value);
    }
    return true;
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

std::optional<FileRegistryStore::Node> FileRegistryStore::load(RootKey root) const
{
    const QString path = fileName(root);
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.exists())
        return Node{};
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    Node tree;
    if (error.error != QJsonParseError::NoError || !document.isObject() || !fromJson(document.object(), tree))
        return std::nullopt;
    return tree;
}

bool FileRegistryStore::modify(RootKey root, const std::function<bool(Node&)>& change)
{
    const QString path = fileName(root);
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).path()))
        return false;
    const StoreLock lock(path + QStringLiteral(".lock"));
    if (!lock.locked())
        return false;
    std::optional<Node> tree = load(root);
    if (!tree || !change(*tree))
        return false;

    return replaceFile(path, QJsonDocument(toJson(*tree)).toJson(QJsonDocument::Indented));
}

bool FileRegistryStore::keyExists(RootKey root, const QString& keyPath) const
{
    const std::optional<Node> tree = load(root);
    return tree && findKey(*tree, keyPath);
}

bool FileRegistryStore::createKey(RootKey root, const QString& keyPath)
{
    if (keyExists(root, keyPath))
        return true;
    return modify(root, [&](Node& tree) {
        Node* node = &tree;
        for (const QString& name : keyNames(keyPath)) {
            auto it = findNamed(node->keys, name);
            if (it == node->keys.end()) {
                node->keys.push_back(Node{name, {}, {}});
                it = node->keys.end() - 1;
            }
            node = &*it;
        }
        return true;
    });
}

bool FileRegistryStore::deleteKey(RootKey root, const QString& keyPath)
{
    QStringList names = keyNames(keyPath);
    if (names.isEmpty())
        return false;
    const QString last = names.takeLast();
    return modify(root, [&](Node& tree) {
        Node* parent = findKey(tree, names.join(QLatin1Char('\\')));
        if (!parent)
            return false;
        const auto it = findNamed(parent->keys, last);
        if (it == parent->keys.end() || !it->keys.empty())
            return false;
        parent->keys.erase(it);
        return true;
    });
}

std::optional<RegistryValue> FileRegistryStore::value(RootKey root, const QString& keyPath, const QString& name) const
{
    const std::optional<Node> tree = load(root);
    const Node* key = tree ? findKey(*tree, keyPath) : nullptr;
    if (!key)
        return std::nullopt;
    const auto it = findNamed(key->values, name);
    if (it == key->values.end())
        return std::nullopt;
    return it->second;
}

bool FileRegistryStore::setValue(RootKey root, const QString& keyPath, const QString& name, const RegistryValue& value)
{
    return modify(root, [&](Node& tree) {
        Node* key = findKey(tree, keyPath);
        if (!key)
            return false;
        const auto it = findNamed(key->values, name);
        if (it == key->values.end())
            key->values.emplace_back(name, value);
        else
            it->second = value;
        return true;
    });
}

bool FileRegistryStore::deleteValue(RootKey root, const QString& keyPath, const QString& name)
{
    return modify(root, [&](Node& tree) {
        Node* key = findKey(tree, keyPath);
        if (!key)
            return false;
        const auto it = findNamed(key->values, name);
        if (it == key->values.end())
            return false;
        key->values.erase(it);
        return true;
    });
}

std::optional<QStringList> FileRegistryStore::subkeyNames(RootKey root, const QString& keyPath) const
{
    const std::optional<Node> tree = load(root);
    const Node* key = tree ? findKey(*tree, keyPath) : nullptr;
    if (!key)
        return std::nullopt;
    QStringList names;
    for (const Node& child : key->keys)
        names.append(child.name);
    return names;
}

} // namespace sys
