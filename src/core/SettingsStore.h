#pragma once

#include "core/Result.h"
#include "core/SettingsKeys.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

namespace core {

// The per-user settings: string values addressed by the keys of the settings table, kept as an INI file
// (~/.config/Sprechkit/<application>.ini). Changes are held in memory and written by sync(), which the event
// loop also runs a moment after the last change (the per-voice values are stored at once). A write goes to a new file
// that replaces the old one only when it was written whole, so a full disk never leaves a broken settings file.
class SettingsStore : public QObject {
    Q_OBJECT
public:
    // organisation "Sprechkit"; application "Tools" or "<maker code>-Software".
    explicit SettingsStore(const QString& application, QObject* parent = nullptr);
    ~SettingsStore() override;

    // Keys of the main and voices sections: with the table's default, or (where the table leaves it to the run)
    // with the caller's.
    QString value(const SettingsKey& key) const;
    QString value(const SettingsKey& key, const QString& runtimeDefault) const;
    void setValue(const SettingsKey& key, const QString& value);
    // Keys of the per-voice section of this voice (its description as coVoice shows it).
    QString voiceValue(const SettingsKey& key, const QString& voice) const;
    void setVoiceValue(const SettingsKey& key, const QString& voice, const QString& value);

    // True when the file or this run has a value for the key (the voice only for per-voice keys).
    bool contains(const SettingsKey& key, const QString& voice = QString()) const;

    // Writes what changed since the last successful sync, merged into what another instance of the program may
    // have written meanwhile. On failure the old file stays as it was and the changes are kept for the next try.
    Result sync();
    QString fileName() const { return m_fileName; }

private:
    static QString path(const SettingsKey& key, const QString& voice);
    QString read(const QString& path, const QString& defaultValue) const;
    void write(const QString& path, const QString& value);

    QString m_fileName;
    QMap<QString, QString> m_values;
    QSet<QString> m_written; // keys this run has set: they win over the file's values when merging
    bool m_dirty = false;
    QTimer m_syncTimer;
};

} // namespace core
