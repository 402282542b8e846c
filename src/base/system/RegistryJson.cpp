#include "base/system/RegistryJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace sys {

namespace {

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

QJsonObject toJson(const RegistryNode& node)
{
    QJsonArray keys;
    for (const RegistryNode& key : node.keys) {
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

core::Result fromJson(const QJsonObject& object, RegistryNode& node)
{
    for (const QJsonValue& key : object.value(QStringLiteral("keys")).toArray()) {
        if (!key.isObject() || !key[QStringLiteral("name")].isString())
            return core::Result::failure(QStringLiteral("a key without a name below \"%1\"").arg(node.name));
        RegistryNode child;
        child.name = key[QStringLiteral("name")].toString();
        if (core::Result read = fromJson(key.toObject(), child); !read)
            return read;
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
            return core::Result::failure(QStringLiteral("a value of unknown type or data below \"%1\"").arg(node.name));
        }
        node.values.emplace_back(entry[QStringLiteral("name")].toString(), value);
    }
    return {};
}

} // namespace

QByteArray encodeRegistryTree(const RegistryNode& root)
{
    return QJsonDocument(toJson(root)).toJson(QJsonDocument::Indented);
}

core::ResultOf<RegistryNode> decodeRegistryTree(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return core::Result::failure(error.errorString());
    if (!document.isObject())
        return core::Result::failure(QStringLiteral("not a JSON object"));
    RegistryNode root;
    if (core::Result read = fromJson(document.object(), root); !read)
        return read;
    return root;
}

} // namespace sys
