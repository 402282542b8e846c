#include "app/SaveSet.h"

#include "core/SettingsStore.h"
#include "form/Controls.h"
#include "form/WindowState.h"

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

void SaveSet(const form::Controls& c, const form::WindowState& state, core::SettingsStore& settings)
{
    const QString main = core::SettingsStore::mainSection();
    const auto number = [](int value) { return QString::number(value); };

    settings.setValue(main, QStringLiteral("Wave.Path"), c.tPath->text());
    settings.setValue(main, QStringLiteral("Wave.File"), state.manualFileName);
    settings.setValue(main, QStringLiteral("Wave.Auto"), number(checkValue(c.ckAuto)));

    const std::pair<const char*, const QAbstractButton*> boxes[] = {
        {"Check.CaseSens", c.ckCSens},  {"Check.Clipboard", c.ckClip}, {"Check.Events", c.ckEvents},
        {"Check.Message", c.ckMessage}, {"Check.Secounds", c.ckSec},   {"Check.Settings", c.ckSet},
        {"Check.Words", c.ckWords}};
    for (const auto& [key, box] : boxes)
        settings.setValue(main, QLatin1String(key), number(checkValue(box)));

    QString message;
    if (c.oMin->isChecked())
        message = QStringLiteral("Minute");
    if (c.oStd->isChecked())
        message = QStringLiteral("Hour");
    settings.setValue(main, QStringLiteral("Option.Message"), message);
    settings.setValue(main, QStringLiteral("Option.TaskPriority"),
                      QLatin1String(kPriorityNames[qBound(0, state.priorityIndex, 3)]));

    settings.setValue(core::SettingsStore::voicesSection(), QStringLiteral("Device"), c.coDevice->currentText());
    settings.setValue(core::SettingsStore::voicesSection(), QStringLiteral("Selected"), c.coVoice->currentText());

    if (state.run.saveFlag == 1) {
        const QString voice = core::SettingsStore::voiceSection(c.coVoice->currentText());
        settings.setValue(voice, QStringLiteral("Format"), c.coFormat->currentText());
        settings.setValue(voice, QStringLiteral("Rate"), number(c.hsRate->value()));
        settings.setValue(voice, QStringLiteral("Volume"), number(c.hsVolume->value()));
    }
    settings.sync();
}

} // namespace app
