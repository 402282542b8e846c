#include "gui/speech/EngineEvents.h"

#include "base/speech/Voice.h"
#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"
#include "gui/speech/EventLog.h"
#include "gui/speech/SpeakingControl.h"

#include <QCheckBox>
#include <QComboBox>

namespace speech {

namespace {

QString number(qint64 value)
{
    return QString::number(value);
}

} // namespace

EngineEvents::EngineEvents(const Widgets& widgets, const bool& paused, Voice& voice, EventLog& log,
                           SpeakingControl& speaking, QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
    , m_paused(paused)
    , m_log(log)
    , m_speaking(speaking)
{
    connect(&voice, &Voice::audioLevel, this, &EngineEvents::Voice_AudioLevel);
    connect(&voice, &Voice::bookmark, this, &EngineEvents::Voice_Bookmark);
    connect(&voice, &Voice::endStream, this, &EngineEvents::Voice_EndStream);
    connect(&voice, &Voice::enginePrivate, this, &EngineEvents::Voice_EnginePrivate);
    connect(&voice, &Voice::phoneme, this, &EngineEvents::Voice_Phoneme);
    connect(&voice, &Voice::sentence, this, &EngineEvents::Voice_Sentence);
    connect(&voice, &Voice::startStream, this, &EngineEvents::Voice_StartStream);
    connect(&voice, &Voice::voiceChange, this, &EngineEvents::Voice_VoiceChange);
    connect(&voice, &Voice::word, this, &EngineEvents::Voice_Word);
    connect(&voice, &Voice::streamError, this, &EngineEvents::Voice_StreamError);
    connect(&voice, &Voice::notice, this, &EngineEvents::Voice_Notice);
}

void EngineEvents::HighlightRange(qint64 start, qint64 length)
{
    if (m_controls.chkSpFlagIsFilename->isChecked())
        return;
    if (!m_controls.tAusgabe->setSelection(start, length)) {
        m_log.AppendLog(QStringLiteral(
            "Failed to high light words. This may be caused by too many charaters in the main text box."));
    }
}

void EngineEvents::Voice_AudioLevel(int stream, qint64 position, int level)
{
    m_log.LogEvent(QStringLiteral("AudioLevel, StreamNumber=") + number(stream) + QStringLiteral(", StreamPosition=") +
                   number(position) + QStringLiteral(", AudioLevel=") + number(level));
}

void EngineEvents::Voice_Bookmark(int stream, qint64 position, const QString& bookmark, int id)
{
    m_log.LogEvent(QStringLiteral("BookMark, StreamNumber=") + number(stream) + QStringLiteral(", StreamPosition=") +
                   number(position) + QStringLiteral(", Bookmark=") + bookmark + QStringLiteral(", BookmarkId=") +
                   number(id));
}

void EngineEvents::Voice_EndStream(int stream, qint64 position)
{
    m_log.LogEvent(QStringLiteral("EndStream, StreamNum=") + number(stream) + QStringLiteral(", StreamPos=") +
                   number(position));
    HighlightRange(0, m_controls.tAusgabe->text().size());
    m_speaking.SetSpeakingState(false, m_paused);
}

void EngineEvents::Voice_EnginePrivate(int stream, qint64 position, qint64 lParam)
{
    m_log.LogEvent(QStringLiteral("EnginePrivate, StreamNumber=") + number(stream) +
                   QStringLiteral(", StreamPosition=") + number(position) + QStringLiteral(", lParam=") +
                   number(lParam));
}

void EngineEvents::Voice_Phoneme(int stream, qint64 position, int duration, int nextPhoneId, int feature,
                                 int currentPhoneId)
{
    Q_UNUSED(duration) // not shown in the log
    m_log.LogEvent(QStringLiteral("Phoneme, StreamNumber=") + number(stream) + QStringLiteral(", StreamPosition=") +
                   number(position) + QStringLiteral(", NextPhoneId=") + number(nextPhoneId) +
                   QStringLiteral(", Feature=") + number(feature) + QStringLiteral(", CurrentPhoneId=") +
                   number(currentPhoneId));
}

void EngineEvents::Voice_Sentence(int stream, qint64 position, int characterPosition, int length)
{
    m_log.LogEvent(QStringLiteral("Sentence, StreamNum=") + number(stream) + QStringLiteral(", StreamPos=") +
                   number(position) + QStringLiteral(", Pos=") + number(characterPosition) +
                   QStringLiteral(", Length=") + number(length));
}

void EngineEvents::Voice_StartStream(int stream, qint64 position)
{
    m_log.LogEvent(QStringLiteral("StartStream, StreamNum=") + number(stream) + QStringLiteral(", StreamPos=") +
                   number(position));
    m_speaking.SetSpeakingState(true, m_paused);
}

void EngineEvents::Voice_VoiceChange(int stream, qint64 position, const QString& tokenDescription)
{
    m_log.LogEvent(QStringLiteral("VoiceChange, StreamNum=") + number(stream) + QStringLiteral(", StreamPos=") +
                   number(position) + QStringLiteral(", Token=") + tokenDescription);
    const int index = m_controls.coVoice->findText(tokenDescription, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_controls.coVoice->setCurrentIndex(index);
}

void EngineEvents::Voice_Word(int stream, qint64 position, int characterPosition, int length)
{
    m_log.LogEvent(QStringLiteral("Word, StreamNum=") + number(stream) + QStringLiteral(", StreamPos=") +
                   number(position) + QStringLiteral(", Pos=") + number(characterPosition) +
                   QStringLiteral(", Length=") + number(length));
    HighlightRange(characterPosition, length);
}

void EngineEvents::Voice_StreamError(int stream, qint64 position, const QString& description)
{
    Q_UNUSED(stream)
    Q_UNUSED(position)
    m_speaking.speakFailed(description);
}

void EngineEvents::Voice_Notice(int stream, qint64 position, const QString& text)
{
    Q_UNUSED(stream)
    Q_UNUSED(position)
    m_log.AppendLog(text);
}

} // namespace speech
