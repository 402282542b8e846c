#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace core {

// The per-user settings: string values addressed by section and key under one settings application name,
// kept by QSettings as an INI file (~/.config/Sprechkit/<application>.ini). Sections use "\" as in
// "Sprechkit\Voices"; they become nested groups.
class SettingsStore {
public:
    // organisation "Sprechkit"; application "Tools" or "<maker code>-Software".
    explicit SettingsStore(const QString& application);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString value(const QString& section, const QString& key, const QString& defaultValue = QString()) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    bool contains(const QString& section, const QString& key) const;
    void sync();
    QString fileName() const;

    static QString mainSection() { return QStringLiteral("Sprechkit"); }
    static QString voicesSection() { return QStringLiteral("Sprechkit\\Voices"); }
    static QString voiceSection(const QString& voiceDescription)
    {
        return QStringLiteral("Sprechkit\\Voices\\") + voiceDescription;
    }

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace core
