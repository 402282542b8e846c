#pragma once

#include "base/core/Result.h"
#include "base/core/SettingsKeys.h"

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
//
// Several windows share the file, and the last one to write wins. A run that never changed a value (setting one to
// what it read, or to the default it was read with, is no change) writes nothing, so it cannot put back what it read
// over what another window saved meanwhile; once it changed one, it writes every value it set.
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
    // What a per-voice key stands for while the file holds none or an empty one (a format derived from the voice's
    // name): setting the key to it is no change.
    void noteVoiceDefault(const SettingsKey& key, const QString& voice, const QString& value);

    // True when the file or this run has a value for the key (the voice only for per-voice keys).
    bool contains(const SettingsKey& key, const QString& voice = QString()) const;

    // Writes the values this run set, merged into what another instance of the program may have written meanwhile;
    // nothing while the run has changed none. On failure the old file stays as it was and the changes are kept for
    // the next try.
    Result sync();
    QString fileName() const { return m_fileName; }

private:
    static QString path(const SettingsKey& key, const QString& voice);
    QString read(const QString& path, const QString& defaultValue) const;
    void write(const QString& path, const QString& value);

    QString m_fileName;
    QMap<QString, QString> m_values;
    // What a key the file lacks was read as (its default): setting it to that is no change.
    mutable QMap<QString, QString> m_readDefaults;
    QSet<QString> m_written; // keys this run has set: they win over the file's values when merging
    bool m_dirty = false;
    bool m_changed = false; // this run has set a value to something else than it was
    QTimer m_syncTimer;
};

} // namespace core
