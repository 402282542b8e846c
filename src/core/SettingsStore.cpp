#include "core/SettingsStore.h"

#include <QSettings>

namespace core {

namespace {

// "/" separates groups in QSettings; a voice description may hold one, so escape it first.
QString keyPath(const QString& section, const QString& key)
{
    QStringList parts = section.split(QLatin1Char('\\'));
    for (QString& part : parts)
        part.replace(QLatin1Char('/'), QStringLiteral("%2F"));
    QString escapedKey = key;
    escapedKey.replace(QLatin1Char('/'), QStringLiteral("%2F"));
    return parts.join(QLatin1Char('/')) + QLatin1Char('/') + escapedKey;
}

} // namespace

SettingsStore::SettingsStore(const QString& application)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Sprechkit"),
                                             application))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const QVariant stored = m_settings->value(keyPath(section, key));
    return stored.isValid() ? stored.toString() : defaultValue;
}

void SettingsStore::setValue(const QString& section, const QString& key, const QString& value)
{
    m_settings->setValue(keyPath(section, key), value);
}

bool SettingsStore::contains(const QString& section, const QString& key) const
{
    return m_settings->contains(keyPath(section, key));
}

void SettingsStore::sync()
{
    m_settings->sync();
}

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}

} // namespace core
