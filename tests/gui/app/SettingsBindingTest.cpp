#include "gui/app/SettingsBinding.h"

#include "base/core/SettingsStore.h"
#include "gui/form/Controls.h"
#include "gui/form/WindowState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace core::setting;
using Stage = app::SettingsBinding::Stage;

// A window's controls as start-up finds them: the lists filled, nothing restored yet.
struct Form {
    Form()
    {
        c = form::buildControls(&window);
        c.coDevice->addItems({QStringLiteral("Lautsprecher"), QStringLiteral("Kopfhörer")});
        c.coVoice->addItems({QStringLiteral("German"), QStringLiteral("English 16")});
        c.coFormat->addItems({QStringLiteral("22kHz, 16Bit, Mono"), QStringLiteral(" 8kHz, 16Bit, Mono")});
    }
    QWidget window;
    form::Controls c;
    form::WindowState state;
};

class SettingsBindingTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path()); }

    // What the binding stores for a form, read back from the file by a store of its own.
    std::unique_ptr<core::SettingsStore> saved(Form& f, bool voiceValues = false)
    {
        QFile::remove(m_config.filePath(QStringLiteral("Sprechkit/Tools.ini")));
        {
            core::SettingsStore store(QStringLiteral("Tools"));
            const app::SettingsBinding binding(f.c, f.state);
            binding.save(store);
            if (voiceValues)
                binding.saveVoiceValues(store);
            binding.savePlacement(store);
            EXPECT_TRUE(store.sync());
        }
        return std::make_unique<core::SettingsStore>(QStringLiteral("Tools"));
    }

    QTemporaryDir m_config;
};

using Change = std::function<void(Form&)>;
using Shown = std::function<bool(const Form&)>;

// Every key a control shows: one change from the state a first run shows, the text stored for it, and how the
// restored control shows it again.
const struct {
    const core::SettingsKey* key;
    Change change;
    const char* stored;
    Shown shown;
} kCases[] = {
    {&kCheckCaseSens, [](Form& f) { f.c.ckCSens->setChecked(false); }, "0",
     [](const Form& f) { return !f.c.ckCSens->isChecked(); }},
    {&kCheckClipboard, [](Form& f) { f.c.ckClip->setChecked(true); }, "1",
     [](const Form& f) { return f.c.ckClip->isChecked(); }},
    {&kCheckEvents,
     [](Form& f) {
         f.c.ckEvents->setTristate(true);
         f.c.ckEvents->setCheckState(Qt::PartiallyChecked);
     },
     "2", [](const Form& f) { return f.c.ckEvents->checkState() == Qt::PartiallyChecked; }},
    {&kCheckMessage, [](Form& f) { f.c.ckMessage->setChecked(true); }, "1",
     [](const Form& f) { return f.c.ckMessage->isChecked(); }},
    {&kCheckSecounds, [](Form& f) { f.c.ckSec->setChecked(true); }, "1",
     [](const Form& f) { return f.c.ckSec->isChecked(); }},
    {&kCheckSettings, [](Form& f) { f.c.ckSet->setChecked(true); }, "1",
     [](const Form& f) { return f.c.ckSet->isChecked(); }},
    {&kCheckWords, [](Form& f) { f.c.ckWords->setChecked(false); }, "0",
     [](const Form& f) { return !f.c.ckWords->isChecked(); }},
    {&kWaveSubtitles, [](Form& f) { f.c.ckSubtitles->setChecked(true); }, "1",
     [](const Form& f) { return f.c.ckSubtitles->isChecked(); }},
    {&kOptionMessage, [](Form& f) { f.c.oMin->setChecked(true); }, "Minute",
     [](const Form& f) { return f.c.oMin->isChecked() && !f.c.oStd->isChecked(); }},
    {&kOptionTaskPriority, [](Form& f) { f.c.oTask[3]->setChecked(true); }, "Realtime",
     [](const Form& f) { return f.c.oTask[3]->isChecked() && !f.c.oTask[2]->isChecked(); }},
    {&kDevice, [](Form& f) { f.c.coDevice->setCurrentIndex(1); }, "Kopfhörer",
     [](const Form& f) { return f.c.coDevice->currentIndex() == 1; }},
    {&kSelected, [](Form& f) { f.c.coVoice->setCurrentIndex(1); }, "English 16",
     [](const Form& f) { return f.c.coVoice->currentIndex() == 1; }},
    {&kWaveAuto, [](Form& f) { f.c.ckAuto->setChecked(true); }, "1",
     [](const Form& f) { return f.c.ckAuto->isChecked(); }},
    {&kWaveFile, [](Form& f) { f.state.manualFileName = QStringLiteral("ansage.wav"); }, "ansage.wav",
     [](const Form& f) { return f.state.manualFileName == "ansage.wav" && f.c.tFile->text() == "ansage.wav"; }},
    {&kWavePath, [](Form& f) { f.c.tPath->setText(QStringLiteral("/srv/ton/")); }, "/srv/ton/",
     [](const Form& f) { return f.c.tPath->text() == "/srv/ton/"; }},
};

// Each change reaches its own key and no other, and comes back into its control after a restart.
TEST_F(SettingsBindingTest, EveryBoundControlSurvivesARestartThroughItsOwnKey)
{
    // A first run: the defaults restored into the controls, then stored.
    const auto firstRun = [this](Form& f) {
        core::SettingsStore empty(QStringLiteral("NoFile"));
        const app::SettingsBinding binding(f.c, f.state);
        for (const Stage stage : {Stage::Boxes, Stage::Options, Stage::Voices, Stage::Wave})
            ASSERT_TRUE(binding.restore(stage, empty));
    };
    Form plain;
    firstRun(plain);
    const std::unique_ptr<core::SettingsStore> defaults = saved(plain);

    QList<const core::SettingsKey*> tested;
    for (const auto& row : kCases) {
        tested.append(row.key);
        Form changed;
        firstRun(changed);
        row.change(changed);
        const std::unique_ptr<core::SettingsStore> store = saved(changed);
        for (const core::SettingsKey* key : kAll) {
            if (key->section == core::SettingsSection::PerVoice)
                continue;
            const QString expected = key == row.key ? QString::fromUtf8(row.stored) : defaults->value(*key, "-");
            EXPECT_EQ(store->value(*key, "-"), expected) << key->name << " after changing " << row.key->name;
        }

        Form restarted;
        const app::SettingsBinding binding(restarted.c, restarted.state);
        for (const Stage stage : {Stage::Boxes, Stage::Options, Stage::Voices, Stage::Wave})
            ASSERT_TRUE(binding.restore(stage, *store));
        EXPECT_TRUE(row.shown(restarted)) << row.key->name;
    }
    Form any;
    EXPECT_EQ(app::SettingsBinding(any.c, any.state).keys(), tested);
}

TEST_F(SettingsBindingTest, PlacementAndVoiceValuesAreStoredAndTheScriptsVoiceWins)
{
    Form f;
    f.window.move(140, 90);
    f.c.coVoice->setCurrentIndex(1);
    f.c.coFormat->setCurrentIndex(1);
    f.c.hsRate->setValue(-4);
    f.c.hsVolume->setValue(70);
    std::unique_ptr<core::SettingsStore> store = saved(f, true);
    const QString voice = QStringLiteral("English 16");
    EXPECT_EQ(store->voiceValue(kFormat, voice), " 8kHz, 16Bit, Mono");
    EXPECT_EQ(store->voiceValue(kRate, voice) + store->voiceValue(kVolume, voice), "-470");
    const auto placement = app::SettingsBinding(f.c, f.state).placement(*store);
    ASSERT_TRUE(placement);
    EXPECT_EQ(placement.value().position, QPoint(140, 90));
    EXPECT_EQ(placement.value().state, Qt::WindowNoState);

    // A maximised window keeps the position it had when it was normal.
    f.window.move(500, 500);
    f.window.setWindowState(Qt::WindowMaximized);
    app::SettingsBinding(f.c, f.state).savePlacement(*store);
    EXPECT_EQ(store->value(kWindowTop) + store->value(kWindowState), "902");

    Form restarted;
    QList<int> chosen;
    const app::SettingsBinding binding(restarted.c, restarted.state, [&chosen](int index) { chosen.append(index); });
    ASSERT_TRUE(binding.restore(Stage::Voices, *store, {{&kSelected, QStringLiteral(" German ")}}));
    EXPECT_EQ(chosen, QList<int>{0});
}

} // namespace
