#include "gui/speech/EngineSetup.h"

#include "base/core/CommandLine.h"
#include "base/core/IniFile.h"
#include "base/core/SettingsStore.h"
#include "base/speech/Voice.h"
#include "gui/form/WindowState.h"
#include "gui/speech/EventLog.h"
#include "gui/speech/SpeakingControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

#include <cmath>

namespace speech {

namespace {

// A stored or scripted number as the bar takes it: rounded half to even, and clamped to the bar's range
// instead of overflowing (a hand-edited "Rate=99" gives the fastest rate).
int barValue(double number, const QScrollBar* bar)
{
    if (std::isnan(number))
        return 0;
    const double rounded = std::nearbyint(number); // the default rounding mode rounds half to even
    if (rounded < bar->minimum())
        return bar->minimum();
    if (rounded > bar->maximum())
        return bar->maximum();
    return int(rounded);
}

} // namespace

EngineSetup::EngineSetup(const Widgets& widgets, const State& state, Voice& voice, core::SettingsStore& settings,
                         EventLog& log, SpeakingControl& speaking, QObject* parent)
    : QObject(parent)
    , m_controls(widgets)
    , m_state(state)
    , m_voice(voice)
    , m_settings(settings)
    , m_log(log)
    , m_speaking(speaking)
{
    connect(m_controls.coVoice, &QComboBox::currentIndexChanged, this, &EngineSetup::voiceSelected);
    connect(m_controls.coDevice, &QComboBox::currentIndexChanged, this, &EngineSetup::deviceSelected);
    connect(m_controls.coFormat, &QComboBox::currentIndexChanged, this, &EngineSetup::formatSelected);
    connect(m_controls.hsRate, &QScrollBar::valueChanged, this, &EngineSetup::rateChanged);
    connect(m_controls.hsVolume, &QScrollBar::valueChanged, this, &EngineSetup::volumeChanged);
    connect(&m_voice, &Voice::audioOutputsChanged, this, &EngineSetup::refreshDevices);
}

void EngineSetup::SpeechInit()
{
    // Lists are filled silently; selecting their first entry afterwards is what runs the handlers.
    {
        const QSignalBlocker blocker(m_controls.coVoice);
        m_controls.coVoice->clear();
        for (const Token& token : m_voice.voices())
            m_controls.coVoice->addItem(token.description);
        m_controls.coVoice->setCurrentIndex(-1);
    }
    m_controls.coVoice->setCurrentIndex(0);

    FillFormatList();

    // The engine's own rate and volume go to the bars and the labels but are not stored: they would replace the
    // values stored for the first voice before LoadVoiceSet reads them, and the user's settings would be lost.
    m_takingEngineValues = true;
    m_controls.hsRate->setValue(barValue(m_voice.rate(), m_controls.hsRate));
    m_controls.hsVolume->setValue(barValue(m_voice.volume(), m_controls.hsVolume));
    m_takingEngineValues = false;

    m_controls.coFormat->setCurrentIndex(m_controls.coFormat->findText(kDefaultFormat, Qt::MatchExactly));

    // A run that only renders into a file neither shows nor uses the device list, and keeps no settings: asking
    // the sound server for its devices would only cost time and, without a server, fill stderr with complaints.
    if (m_state.run.wavTarget.isEmpty()) {
        fillDevices();
        m_controls.coDevice->setEnabled(m_controls.coDevice->itemText(0) != kNoAudioOutput);
        m_controls.coDevice->setCurrentIndex(0);
    }

    m_state.speakFlags = SpeakAsync | SpeakPurgeBeforeSpeak;
    m_controls.chkSpFlagAync->setChecked(true);
    m_controls.chkSpFlagPurgeBeforeSpeak->setChecked(true);

    m_speaking.SetSpeakingState(false, false);
}

void EngineSetup::fillDevices()
{
    m_devicesListed = true;
    // Filled silently; the caller selects the entry, which runs the device handler.
    const QList<Token> outputs = m_voice.audioOutputs();
    const QSignalBlocker blocker(m_controls.coDevice);
    m_controls.coDevice->clear();
    for (const Token& token : outputs)
        m_controls.coDevice->addItem(token.description);
    if (outputs.isEmpty())
        m_controls.coDevice->addItem(kNoAudioOutput);
    m_controls.coDevice->setCurrentIndex(-1);
}

void EngineSetup::refreshDevices()
{
    const QString chosen = m_controls.coDevice->currentText();
    fillDevices();
    const bool none = m_controls.coDevice->itemText(0) == kNoAudioOutput;
    // While speaking the list stays blocked; the return to idle unblocks it.
    m_controls.coDevice->setEnabled(!none && !m_state.speaking);
    m_controls.coDevice->setCurrentIndex(qMax(0, m_controls.coDevice->findText(chosen, Qt::MatchExactly)));
}

void EngineSetup::FillFormatList()
{
    const QSignalBlocker blocker(m_controls.coFormat);
    m_controls.coFormat->clear();
    AddFormat(QStringLiteral(" 8kHz, 16Bit, Mono"), AudioFormat::Mono8kHz);
    AddFormat(QStringLiteral("11kHz, 16Bit, Mono"), AudioFormat::Mono11kHz);
    AddFormat(QStringLiteral("12kHz, 16Bit, Mono"), AudioFormat::Mono12kHz);
    AddFormat(QStringLiteral("16kHz, 16Bit, Mono"), AudioFormat::Mono16kHz);
    AddFormat(QStringLiteral("22kHz, 16Bit, Mono"), AudioFormat::Mono22kHz);
    AddFormat(QStringLiteral("24kHz, 16Bit, Mono"), AudioFormat::Mono24kHz);
    AddFormat(QStringLiteral("32kHz, 16Bit, Mono"), AudioFormat::Mono32kHz);
    AddFormat(QStringLiteral("44kHz, 16Bit, Mono"), AudioFormat::Mono44kHz);
    AddFormat(QStringLiteral("48kHz, 16Bit, Mono"), AudioFormat::Mono48kHz);
    // Nothing is applied until a format is chosen.
    m_controls.coFormat->setCurrentIndex(-1);
}

void EngineSetup::AddFormat(const QString& text, AudioFormat format)
{
    m_controls.coFormat->addItem(text, int(format)); // the list keeps the platform's code
}

void EngineSetup::LoadVoiceSet()
{
    const QString voiceName = m_controls.coVoice->currentText();
    const bool scriptRun = m_state.run.scriptRun;
    const auto scriptValue = [this](const char* key) {
        return core::ReadINI(m_state.run.scriptPath, QStringLiteral("Voice"), QLatin1String(key), true, QString());
    };

    QString format = m_settings.voiceValue(core::setting::kFormat, voiceName);
    if (scriptRun)
        format = scriptValue("Format");
    if (format.isEmpty()) {
        format = QStringLiteral("22kHz, 16Bit, Mono");
        if (voiceName.contains(QLatin1String("11")))
            format = QStringLiteral("11kHz, 16Bit, Mono");
        if (voiceName.contains(QLatin1String("16")))
            format = QStringLiteral("16kHz, 16Bit, Mono");
        if (voiceName.contains(QLatin1String("22")))
            format = QStringLiteral("22kHz, 16Bit, Mono");
        m_settings.noteVoiceDefault(core::setting::kFormat, voiceName, format);
    }
    // A script value is read trimmed, so " 8kHz, 16Bit, Mono" (which F12 writes) comes back without its blank:
    // match that entry too, or a script could never select 8 kHz.
    int formatIndex = m_controls.coFormat->findText(format, Qt::MatchExactly | Qt::MatchCaseSensitive);
    for (int i = 0; formatIndex < 0 && i < m_controls.coFormat->count(); ++i) {
        if (m_controls.coFormat->itemText(i).trimmed() == format)
            formatIndex = i;
    }
    if (formatIndex >= 0)
        m_controls.coFormat->setCurrentIndex(formatIndex);

    double rate = core::leadingNumber(m_settings.voiceValue(core::setting::kRate, voiceName));
    if (scriptRun)
        rate = core::leadingNumber(scriptValue("Rate"));
    setBar(m_controls.hsRate, barValue(rate, m_controls.hsRate), &Voice::setRate);

    double volume = core::leadingNumber(m_settings.voiceValue(core::setting::kVolume, voiceName));
    if (scriptRun)
        volume = core::leadingNumber(scriptValue("Volume"));
    setBar(m_controls.hsVolume, barValue(volume, m_controls.hsVolume), &Voice::setVolume);
}

void EngineSetup::setBar(QScrollBar* bar, int value, void (Voice::*apply)(int))
{
    // An unchanged bar runs no handler; the newly selected voice must still get the value.
    if (bar->value() == value)
        (m_voice.*apply)(value);
    else
        bar->setValue(value);
}

void EngineSetup::voiceSelected()
{
    if (!m_state.startupComplete)
        return;
    if (const core::Result set = m_voice.setVoice(m_controls.coVoice->currentIndex()); !set) {
        m_log.AppendLog(QStringLiteral("Set voice error: "), set.error());
        return;
    }
    LoadVoiceSet();
}

void EngineSetup::deviceSelected()
{
    // Unlisted devices are never chosen: the voice keeps its default output and need not ask for the devices.
    if (!m_devicesListed) {
        formatSelected();
        return;
    }
    if (const core::Result set = m_voice.setAudioOutput(m_controls.coDevice->currentIndex()); !set) {
        m_log.AppendLog(QStringLiteral("Set audio output error: "), set.error());
        return;
    }
    // A new output starts in its own format; give it the chosen one.
    formatSelected();
}

void EngineSetup::formatSelected()
{
    const int index = m_controls.coFormat->currentIndex();
    if (index < 0)
        return;
    const core::ResultOf<AudioFormat> format = audioFormatOfCode(m_controls.coFormat->itemData(index).toInt());
    if (const core::Result set = format ? m_voice.setOutputFormat(format.value()) : format.result(); !set) {
        m_log.AppendLog(QStringLiteral("Set format error: "), set.error());
        return;
    }
    if (m_state.startupComplete)
        m_settings.setVoiceValue(core::setting::kFormat, m_controls.coVoice->currentText(),
                                 m_controls.coFormat->itemText(index));
}

void EngineSetup::rateChanged()
{
    const int value = m_controls.hsRate->value();
    m_voice.setRate(value);
    const QString text = QString::number(value);
    m_controls.lRateX->setText(text);
    if (!m_state.run.scriptRun && !m_takingEngineValues)
        m_settings.setVoiceValue(core::setting::kRate, m_controls.coVoice->currentText(), text);
}

void EngineSetup::volumeChanged()
{
    const int value = m_controls.hsVolume->value();
    m_voice.setVolume(value);
    const QString text = QString::number(value);
    m_controls.lVolumeX->setText(text);
    if (!m_state.run.scriptRun && !m_takingEngineValues)
        m_settings.setVoiceValue(core::setting::kVolume, m_controls.coVoice->currentText(), text);
}

} // namespace speech
