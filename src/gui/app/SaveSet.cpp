#include "gui/app/SaveSet.h"

#include "base/core/SettingsStore.h"
#include "gui/form/Controls.h"
#include "gui/form/WindowState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace app {

namespace {

const char* const kPriorityNames[] = {"Idle", "Normal", "High", "Realtime"};

} // namespace

int checkValue(const QAbstractButton* box)
{
    if (const auto* checkBox = qobject_cast<const QCheckBox*>(box); checkBox && checkBox->isTristate())
        return checkBox->checkState() == Qt::PartiallyChecked ? 2 : checkBox->isChecked() ? 1 : 0;
    return box->isChecked() ? 1 : 0;
}

QList<CheckSetting> checkSettings(const form::Controls& c)
{
    using namespace core::setting;
    return {{&kCheckCaseSens, c.ckCSens},  {&kCheckClipboard, c.ckClip},    {&kCheckEvents, c.ckEvents},
            {&kCheckMessage, c.ckMessage}, {&kCheckSecounds, c.ckSec},      {&kCheckSettings, c.ckSet},
            {&kCheckWords, c.ckWords},     {&kWaveSubtitles, c.ckSubtitles}};
}

core::Result SaveSet(const form::Controls& c, const form::WindowState& state, core::SettingsStore& settings)
{
    using namespace core::setting;
    const auto number = [](int value) { return QString::number(value); };

    settings.setValue(kWavePath, c.tPath->text());
    settings.setValue(kWaveFile, state.manualFileName);
    settings.setValue(kWaveAuto, number(checkValue(c.ckAuto)));

    for (const CheckSetting& setting : checkSettings(c))
        settings.setValue(*setting.key, number(checkValue(setting.box)));

    QString message;
    if (c.oMin->isChecked())
        message = QStringLiteral("Minute");
    if (c.oStd->isChecked())
        message = QStringLiteral("Hour");
    settings.setValue(kOptionMessage, message);
    settings.setValue(kOptionTaskPriority, QLatin1String(kPriorityNames[qBound(0, state.priorityIndex, 3)]));

    settings.setValue(kDevice, c.coDevice->currentText());
    settings.setValue(kSelected, c.coVoice->currentText());

    if (state.run.saveFlag == 1) {
        const QString voice = c.coVoice->currentText();
        settings.setVoiceValue(kFormat, voice, c.coFormat->currentText());
        settings.setVoiceValue(kRate, voice, number(c.hsRate->value()));
        settings.setVoiceValue(kVolume, voice, number(c.hsVolume->value()));
    }
    return settings.sync();
}

} // namespace app
