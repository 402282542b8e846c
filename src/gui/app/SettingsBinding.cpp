#include "gui/app/SettingsBinding.h"

#include "base/core/ProgramLocation.h"
#include "base/core/SettingsKeys.h"
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

int checkValue(const QAbstractButton* box)
{
    if (const auto* checkBox = qobject_cast<const QCheckBox*>(box); checkBox && checkBox->isTristate())
        return checkBox->checkState() == Qt::PartiallyChecked ? 2 : checkBox->isChecked() ? 1 : 0;
    return box->isChecked() ? 1 : 0;
}

// Setting a box's value runs its handler, like a user's click, whenever the value changes.
core::Result setCheckValue(QAbstractButton* box, const core::SettingsKey& key, int value)
{
    auto* checkBox = qobject_cast<QCheckBox*>(box);
    if (value == 2 && checkBox) {
        checkBox->setTristate(true);
        checkBox->setCheckState(Qt::PartiallyChecked);
        return {};
    }
    if (value != 0 && value != 1)
        return core::Result::failure(
            QStringLiteral("Invalid value %1 of \"%2\" for a check box.").arg(value).arg(key.key()));
    box->setChecked(value == 1);
    return {};
}

template <typename Button> QList<QAbstractButton*> buttons(const QList<Button*>& list)
{
    return QList<QAbstractButton*>(list.begin(), list.end());
}

} // namespace

SettingsBinding::SettingsBinding(const form::Controls& c, form::WindowState& state, VoiceChosen voiceChosen)
    : m_controls(c)
{
    using namespace core::setting;
    const QStringList priorities = {QStringLiteral("Idle"), QStringLiteral("Normal"), QStringLiteral("High"),
                                    QStringLiteral("Realtime")};

    // The table: one line per setting shown by a control, in the order start-up restores them.
    checkBox(kCheckCaseSens, c.ckCSens);
    checkBox(kCheckClipboard, c.ckClip);
    checkBox(kCheckEvents, c.ckEvents);
    checkBox(kCheckMessage, c.ckMessage);
    checkBox(kCheckSecounds, c.ckSec);
    checkBox(kCheckSettings, c.ckSet);
    checkBox(kCheckWords, c.ckWords);
    checkBox(kWaveSubtitles, c.ckSubtitles);
    options(kOptionMessage, {c.oStd, c.oMin}, {QStringLiteral("Hour"), QStringLiteral("Minute")}, QString());
    // With none checked (a stored name that is none of these) the lowest priority is stored.
    options(kOptionTaskPriority, buttons(c.oTask), priorities, priorities.first());
    listEntry(kDevice, c.coDevice, Match::Exact, Stage::Voices);
    listEntry(kSelected, c.coVoice, Match::Trimmed, Stage::Voices, std::move(voiceChosen));
    checkBox(kWaveAuto, c.ckAuto, Stage::Wave);
    // The name typed is kept while an automatic name is shown.
    custom(
        kWaveFile, Stage::Wave,
        [autoName = c.ckAuto, field = c.tFile, state = &state](const QString& stored) {
            state->manualFileName = stored;
            if (!autoName->isChecked())
                field->setText(stored);
            return core::Result();
        },
        [state = &state] { return state->manualFileName; });
    lineEdit(kWavePath, c.tPath, Stage::Wave, [] { return core::GetDataDir(); });
}

void SettingsBinding::checkBox(const core::SettingsKey& key, QAbstractButton* box, Stage stage)
{
    custom(
        key, stage,
        [box, key = &key](const QString& stored) {
            const core::ResultOf<int> value = core::storedInteger(*key, stored);
            if (!value)
                return value.result();
            return setCheckValue(box, *key, value.value());
        },
        [box] { return QString::number(checkValue(box)); });
}

void SettingsBinding::options(const core::SettingsKey& key, const QList<QAbstractButton*>& buttons,
                              const QStringList& names, const QString& whenNone)
{
    Q_ASSERT(buttons.size() == names.size());
    custom(
        key, Stage::Options,
        [buttons, names](const QString& stored) {
            const QString wanted = stored.toUpper();
            for (int i = 0; i < buttons.size(); ++i) {
                if (names[i].toUpper() == wanted)
                    buttons[i]->setChecked(true);
            }
            return core::Result();
        },
        [buttons, names, whenNone] {
            for (int i = 0; i < buttons.size(); ++i) {
                if (buttons[i]->isChecked())
                    return names[i];
            }
            return whenNone;
        });
}

void SettingsBinding::listEntry(const core::SettingsKey& key, QComboBox* list, Match match, Stage stage,
                                std::function<void(int)> chosen)
{
    const auto same = [match](const QString& entry, const QString& stored) {
        return match == Match::Exact ? entry == stored : entry.trimmed() == stored.trimmed();
    };
    custom(
        key, stage,
        [list, same, chosen = std::move(chosen)](const QString& stored) {
            for (int i = 0; i < list->count(); ++i) {
                if (!same(list->itemText(i), stored))
                    continue;
                list->setCurrentIndex(i);
                if (chosen)
                    chosen(i);
            }
            return core::Result();
        },
        [list] { return list->currentText(); },
        [list] { return list->currentText(); }); // the entry the engine showed first, while none is stored
}

void SettingsBinding::lineEdit(const core::SettingsKey& key, QLineEdit* field, Stage stage,
                               std::function<QString()> runtimeDefault)
{
    custom(
        key, stage,
        [field](const QString& stored) {
            field->setText(stored);
            return core::Result();
        },
        [field] { return field->text(); }, std::move(runtimeDefault));
}

void SettingsBinding::custom(const core::SettingsKey& key, Stage stage, Restore restore, Save save,
                             std::function<QString()> runtimeDefault)
{
    Q_ASSERT(key.section != core::SettingsSection::PerVoice && (key.defaultValue || runtimeDefault));
    m_entries.append({&key, stage, std::move(restore), std::move(save), std::move(runtimeDefault)});
}

core::Result SettingsBinding::restore(Stage stage, const core::SettingsStore& settings,
                                      const Overrides& overrides) const
{
    for (const Entry& entry : m_entries) {
        if (entry.stage != stage)
            continue;
        // Read even when overridden: the store then knows what this run found, and storing that again is no change.
        QString stored =
            entry.runtimeDefault ? settings.value(*entry.key, entry.runtimeDefault()) : settings.value(*entry.key);
        if (const auto found = overrides.constFind(entry.key); found != overrides.cend())
            stored = *found;
        if (core::Result restored = entry.restore(stored); !restored)
            return restored;
    }
    return {};
}

void SettingsBinding::save(core::SettingsStore& settings) const
{
    for (const Entry& entry : m_entries)
        settings.setValue(*entry.key, entry.save());
}

void SettingsBinding::saveVoiceValues(core::SettingsStore& settings) const
{
    using namespace core::setting;
    const QString voice = m_controls.coVoice->currentText();
    settings.setVoiceValue(kFormat, voice, m_controls.coFormat->currentText());
    settings.setVoiceValue(kRate, voice, QString::number(m_controls.hsRate->value()));
    settings.setVoiceValue(kVolume, voice, QString::number(m_controls.hsVolume->value()));
}

core::ResultOf<SettingsBinding::Placement> SettingsBinding::placement(const core::SettingsStore& settings) const
{
    using namespace core::setting;
    const core::ResultOf<int> state = core::storedInteger(kWindowState, settings.value(kWindowState));
    if (!state)
        return state.result();
    const core::ResultOf<int> top = core::storedPixels(kWindowTop, settings.value(kWindowTop));
    if (!top)
        return top.result();
    const core::ResultOf<int> left = core::storedPixels(kWindowLeft, settings.value(kWindowLeft));
    if (!left)
        return left.result();
    return Placement{QPoint(left.value(), top.value()), state.value() == 1   ? Qt::WindowMinimized
                                                        : state.value() == 2 ? Qt::WindowMaximized
                                                                             : Qt::WindowNoState};
}

void SettingsBinding::savePlacement(core::SettingsStore& settings) const
{
    using namespace core::setting;
    const QWidget* window = m_controls.window;
    const Qt::WindowStates states = window->windowState();
    const int code = states & Qt::WindowMinimized ? 1 : states & Qt::WindowMaximized ? 2 : 0;
    if (code == 0) {
        settings.setValue(kWindowTop, QString::number(window->y()));
        settings.setValue(kWindowLeft, QString::number(window->x()));
    }
    settings.setValue(kWindowState, QString::number(code));
}

QList<const core::SettingsKey*> SettingsBinding::keys() const
{
    QList<const core::SettingsKey*> keys;
    for (const Entry& entry : m_entries)
        keys.append(entry.key);
    return keys;
}

} // namespace app
