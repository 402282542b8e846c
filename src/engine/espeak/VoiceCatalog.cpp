#include "engine/espeak/VoiceCatalog.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>

#include <espeak-ng/speak_lib.h>

namespace speech {

namespace {

bool isGerman(const QString& language)
{
    return language == QLatin1String("de") || language.startsWith(QLatin1String("de-"));
}

// MBROLA voices are voice files below voices/mb of the data folder; espeak-ng's list leaves them out.
QList<VoiceCatalog::Entry> mbrolaVoices()
{
    QList<VoiceCatalog::Entry> entries;
    const char* dataPath = nullptr;
    espeak_Info(&dataPath);
    if (!dataPath)
        return entries;
    const QDir folder(QString::fromUtf8(dataPath) + QStringLiteral("/voices/mb"));
    for (const QString& file : folder.entryList(QDir::Files, QDir::Name)) {
        QFile voiceFile(folder.filePath(file));
        if (!voiceFile.open(QIODevice::ReadOnly))
            continue;
        VoiceCatalog::Entry entry;
        entry.token.id = QStringLiteral("mb/") + file;
        while (!voiceFile.atEnd()) {
            const QList<QByteArray> words = voiceFile.readLine().simplified().split(' ');
            if (words.size() >= 2 && words.at(0) == "name")
                entry.token.description = QString::fromUtf8(words.mid(1).join(' '));
            else if (words.size() >= 2 && words.at(0) == "language" && entry.language.isEmpty())
                entry.language = QString::fromUtf8(words.at(1));
        }
        if (entry.token.description.isEmpty())
            entry.token.description = file;
        entries.append(entry);
    }
    return entries;
}

} // namespace

bool VoiceCatalog::mbrolaInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("mbrola")).isEmpty();
}

QList<Token> VoiceCatalog::germanFirst(const QList<Entry>& entries)
{
    QList<Token> german;
    QList<Token> others;
    for (const Entry& entry : entries)
        (isGerman(entry.language) ? german : others).append(entry.token);
    return german + others;
}

void VoiceCatalog::makeDescriptionsUnique(QList<Token>& tokens)
{
    QHash<QString, int> count;
    for (const Token& token : tokens)
        ++count[token.description];
    for (Token& token : tokens) {
        if (count.value(token.description) > 1)
            token.description += QStringLiteral(" (%1)").arg(token.id);
    }
}

QList<Token> VoiceCatalog::installedVoices()
{
    QList<Entry> entries;
    const espeak_VOICE** voices = espeak_ListVoices(nullptr);
    for (int i = 0; voices && voices[i]; ++i) {
        const espeak_VOICE* voice = voices[i];
        if (QByteArray(voice->identifier).startsWith("mb/"))
            continue;
        Entry entry;
        entry.token.id = QString::fromUtf8(voice->identifier);
        entry.token.description = QString::fromUtf8(voice->name);
        // languages: a priority byte, then the language code.
        if (voice->languages && voice->languages[0])
            entry.language = QString::fromUtf8(voice->languages + 1);
        entries.append(entry);
    }
    if (mbrolaInstalled())
        entries += mbrolaVoices();
    QList<Token> tokens = germanFirst(entries);
    makeDescriptionsUnique(tokens);
    return tokens;
}

} // namespace speech
