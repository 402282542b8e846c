#include "base/core/SettingsStore.h"

#include "base/core/RegularFile.h"
#include "base/core/SafeWrite.h"
#include "base/core/SettingsFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

namespace core {

namespace {

// "/" separates groups; a voice description may hold one, so escape it first.
QString escapeGroup(const QString& name)
{
    QString escaped = name;
    return escaped.replace(QLatin1Char('/'), QStringLiteral("%2F"));
}

// A missing file holds no values; one that exists but cannot be read is an error, so it is never replaced by
// what little this run wrote.
ResultOf<QMap<QString, QString>> readFile(const QString& fileName)
{
    if (!QFile::exists(fileName))
        return QMap<QString, QString>();
    // A FIFO or a device in its place is such a file too.
    const ResultOf<QByteArray> bytes = readRegularFile(fileName, kMaxSettingsBytes);
    if (!bytes)
        return bytes.result();
    return decodeSettings(bytes.value());
}

constexpr int kSyncDelayMs = 250;

// QSettings only tells where the file is (tests move it with QSettings::setPath); reading and writing are ours. It
// reads its file as soon as it is made, which a FIFO in that place would block for ever: it is asked about a
// file of the same folder that no one makes.
QString fileNameFor(const QString& application)
{
    const QString probe =
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Sprechkit"), QStringLiteral(".where"))
            .fileName();
    return probe.left(probe.lastIndexOf(u'/') + 1) + application + QStringLiteral(".ini");
}

} // namespace

SettingsStore::SettingsStore(const QString& application, QObject* parent)
    : QObject(parent)
    , m_fileName(fileNameFor(application))
{
    // An unreadable file starts the run with the defaults; sync() reports it and leaves the file alone.
    m_values = readFile(m_fileName).value();
    m_syncTimer.setSingleShot(true);
    m_syncTimer.setInterval(kSyncDelayMs);
    // A failure keeps the changes; the sync at exit tries again and reports it.
    connect(&m_syncTimer, &QTimer::timeout, this, [this] { (void)sync(); });
}

SettingsStore::~SettingsStore()
{
    // Nobody is left to tell about a failure here: the unload handler has synced and reported before.
    (void)sync();
}

QString SettingsStore::path(const SettingsKey& key, const QString& voice)
{
    QString section = QStringLiteral("Sprechkit");
    if (key.section != SettingsSection::Main)
        section += QStringLiteral("/Voices");
    if (key.section == SettingsSection::PerVoice)
        section += u'/' + escapeGroup(voice);
    return section + u'/' + escapeGroup(key.key());
}

QString SettingsStore::value(const SettingsKey& key) const
{
    Q_ASSERT(key.section != SettingsSection::PerVoice && key.defaultValue);
    return read(path(key, QString()), QString::fromUtf8(key.defaultValue));
}

QString SettingsStore::value(const SettingsKey& key, const QString& runtimeDefault) const
{
    Q_ASSERT(key.section != SettingsSection::PerVoice);
    return read(path(key, QString()), runtimeDefault);
}

void SettingsStore::setValue(const SettingsKey& key, const QString& value)
{
    Q_ASSERT(key.section != SettingsSection::PerVoice);
    write(path(key, QString()), value);
}

QString SettingsStore::voiceValue(const SettingsKey& key, const QString& voice) const
{
    Q_ASSERT(key.section == SettingsSection::PerVoice && key.defaultValue);
    return read(path(key, voice), QString::fromUtf8(key.defaultValue));
}

void SettingsStore::setVoiceValue(const SettingsKey& key, const QString& voice, const QString& value)
{
    Q_ASSERT(key.section == SettingsSection::PerVoice);
    write(path(key, voice), value);
}

void SettingsStore::noteVoiceDefault(const SettingsKey& key, const QString& voice, const QString& value)
{
    if (voiceValue(key, voice).isEmpty())
        m_readDefaults.insert(path(key, voice), value);
}

bool SettingsStore::contains(const SettingsKey& key, const QString& voice) const
{
    return m_values.contains(path(key, voice));
}

QString SettingsStore::read(const QString& path, const QString& defaultValue) const
{
    const auto found = m_values.constFind(path);
    if (found != m_values.cend())
        return *found;
    m_readDefaults.insert(path, defaultValue);
    return defaultValue;
}

void SettingsStore::write(const QString& path, const QString& value)
{
    const auto found = m_values.constFind(path);
    const auto readDefault = m_readDefaults.constFind(path);
    if ((found == m_values.cend() || *found != value) &&
        (readDefault == m_readDefaults.cend() || *readDefault != value))
        m_changed = true;
    m_values.insert(path, value);
    m_written.insert(path);
    m_dirty = true;
    // Dragging a scroll bar changes a value many times a second: one write a moment after the last change.
    m_syncTimer.start();
}

Result SettingsStore::sync()
{
    if (!m_dirty || !m_changed)
        return {};
    // The folder is missing before the first run; an error creating it shows when the file is written.
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    const ResultOf<QMap<QString, QString>> onDisk = readFile(m_fileName);
    if (!onDisk)
        return Result::failure(QStringLiteral("The settings were not saved. ") + onDisk.error());
    QMap<QString, QString> merged = onDisk.value();
    for (const QString& path : std::as_const(m_written))
        merged.insert(path, m_values.value(path));
    if (Result written = replaceFileContents(m_fileName, encodeSettings(merged)); !written)
        return Result::failure(QStringLiteral("The settings were not saved. ") + written.error());
    m_values = merged;
    m_dirty = false;
    return {};
}

} // namespace core
