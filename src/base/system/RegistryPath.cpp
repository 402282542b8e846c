#include "base/system/RegistryPath.h"

namespace sys {

namespace {

// Only blanks count, as in the paths callers build; a tab or line break stays part of a name.
QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

RootKey RootKeyFromName(const QString& name)
{
    static const struct {
        const char* name;
        RootKey root;
    } kRoots[] = {
        {"HKCR", RootKey::ClassesRoot},
        {"HKEY_CLASSES_ROOT", RootKey::ClassesRoot},
        {"HKCU", RootKey::CurrentUser},
        {"HKEY_CURRENT_USER", RootKey::CurrentUser},
        {"HKLM", RootKey::LocalMachine},
        {"HKEY_LOCAL_MACHINE", RootKey::LocalMachine},
        {"HKEY_USERS", RootKey::Users},
        {"HKPD", RootKey::PerformanceData},
        {"HKEY_PERFORMANCE_DATA", RootKey::PerformanceData},
        {"HKEY_CURRENT_CONFIG", RootKey::CurrentConfig},
        {"HKDD", RootKey::DynData},
        {"HKEY_DYN_DATA", RootKey::DynData},
    };
    const QString upper = trimBlanks(name).toUpper();
    for (const auto& entry : kRoots) {
        if (upper == QLatin1String(entry.name))
            return entry.root;
    }
    return RootKey::None;
}

RegistryPath SplitRegistryPath(const QString& path)
{
    const QString trimmed = trimBlanks(path);
    const qsizetype firstSlash = trimmed.indexOf(QLatin1Char('\\'));
    RegistryPath result;
    result.root = RootKeyFromName(firstSlash < 0 ? trimmed : trimmed.left(firstSlash));
    if (firstSlash < 0)
        return result;

    const QString rest = trimmed.mid(firstSlash + 1);
    if (const qsizetype three = rest.lastIndexOf(QLatin1String("\\\\\\")); three >= 0) {
        result.keyPath = rest.left(three);
        result.valueName = rest.mid(three + 1);
    } else if (const qsizetype two = rest.lastIndexOf(QLatin1String("\\\\")); two >= 0) {
        result.keyPath = rest.left(two);
        result.valueName = rest.mid(two + 2);
    } else if (const qsizetype one = rest.lastIndexOf(QLatin1Char('\\')); one >= 0) {
        result.keyPath = rest.left(one);
        result.valueName = rest.mid(one + 1);
    } else {
        result.keyPath = rest;
    }
    return result;
}

QString CutAtNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString TrimTrailingNuls(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QChar(0))
        --end;
    return text.left(end);
}

QString JoinMultiString(const QVariantList& values)
{
    QString joined;
    for (const QVariant& value : values) {
        const QString element = CutAtNul(value.toString());
        if (!element.isEmpty())
            joined += element + QChar(0);
    }
    return joined;
}

} // namespace sys
