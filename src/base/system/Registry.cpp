#include "base/system/Registry.h"

namespace sys {

namespace {

QString asKeyPath(const QString& path)
{
    const QString trimmed = path.trimmed();
    return trimmed.endsWith(QLatin1Char('\\')) ? trimmed : trimmed + QLatin1Char('\\');
}

// The module answers with success or failure alone, as its callers expect: this is where the reasons of the
// store's failures are dropped.
bool succeeded(const core::Result& result)
{
    return result.ok();
}

QStringList atLeastOneName(const std::optional<QStringList>& names)
{
    if (!names || names->isEmpty())
        return {QString()};
    return *names;
}

// Multi-strings are kept as their strings; what a reader gets is the NUL-joined data split again, so empty
// strings never survive a round trip.
QStringList splitMultiString(const QString& joined)
{
    const QString trimmed = TrimTrailingNuls(joined);
    return trimmed.isEmpty() ? QStringList() : trimmed.split(QChar(0));
}

} // namespace

Registry::Registry(RegistryBackend& backend, std::function<void()> beep)
    : m_backend(backend)
    , m_beep(std::move(beep))
{
}

QVariant Registry::read(const QString& path, qint16 action) const
{
    switch (action) {
    case ListKeys:
        return GetAllKeys(path);
    case CreateKey: {
        const RegistryPath split = SplitRegistryPath(asKeyPath(path));
        return succeeded(m_backend.createKey(split.root, split.keyPath));
    }
    case DeleteKey: {
        const RegistryPath split = SplitRegistryPath(asKeyPath(path));
        return succeeded(m_backend.deleteKey(split.root, split.keyPath));
    }
    case DeleteValue: {
        const RegistryPath split = SplitRegistryPath(path);
        return succeeded(m_backend.deleteValue(split.root, split.keyPath, split.valueName));
    }
    default:
        break;
    }

    if (path.trimmed().isEmpty())
        return {};
    const RegistryPath split = SplitRegistryPath(path);
    if (!m_backend.keyExists(split.root, split.keyPath))
        return {};
    const std::optional<RegistryValue> value = m_backend.value(split.root, split.keyPath, split.valueName);
    if (!value)
        return {};
    switch (value->type) {
    case RegistryType::String:
        return CutAtNul(value->text);
    case RegistryType::MultiString:
        return splitMultiString(JoinMultiString(QVariantList(value->strings.begin(), value->strings.end())));
    case RegistryType::Dword:
        return int(value->number);
    case RegistryType::Binary:
        return value->bytes;
    }
    return {};
}

void Registry::write(const QString& path, const QVariant& value)
{
    if (path.trimmed().isEmpty())
        return;
    const RegistryPath split = SplitRegistryPath(path);
    if (!succeeded(m_backend.createKey(split.root, split.keyPath)))
        return;

    RegistryValue stored;
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        stored.type = RegistryType::Dword;
        stored.number = value.toInt();
        break;
    case QMetaType::QString:
        stored.text = CutAtNul(value.toString());
        break;
    case QMetaType::QStringList:
        stored.type = RegistryType::MultiString;
        stored.strings = splitMultiString(JoinMultiString(value.toList()));
        break;
    case QMetaType::QByteArray:
        stored.type = RegistryType::Binary;
        stored.bytes = value.toByteArray();
        break;
    case QMetaType::QVariantList:
        if (m_beep)
            m_beep();
        return;
    case QMetaType::UnknownType:
        break; // empty: the empty string
    case QMetaType::Nullptr:
        return; // a null value: the key stays created, nothing is stored
    default:
        stored.text = value.toString();
        break;
    }
    succeeded(m_backend.setValue(split.root, split.keyPath, split.valueName, stored));
}

QStringList Registry::GetAllKeys(const QString& path) const
{
    const RegistryPath split = SplitRegistryPath(asKeyPath(path));
    return atLeastOneName(m_backend.subkeyNames(split.root, split.keyPath));
}

int Registry::QueryValueType(RootKey root, const QString& keyPath, const QString& valueName) const
{
    if (!m_backend.keyExists(root, keyPath))
        return -1;
    const std::optional<RegistryValue> value = m_backend.value(root, keyPath, valueName);
    return value ? int(value->type) : 0;
}

} // namespace sys
