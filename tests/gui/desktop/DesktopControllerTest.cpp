#include "DesktopTest.h"
#include "e2e/VirtualDisplay.h"

#include "base/core/SettingsStore.h"
#include "gui/desktop/DesktopController.h"
#include "gui/desktop/RemoteClient.h"
#include "gui/desktop/RemoteCommandLine.h"
#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"

#include <QCheckBox>
#include <QClipboard>
#include <QKeySequenceEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>

using namespace desktop;

namespace {

// The few controls the controller works on, without the speech behind them, and settings in a folder of their own.
class DesktopControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        for (QPushButton* button : {&m_ckStart, &m_ckPause, &m_ckSet})
            button->setCheckable(true);
        m_fields = buildDesktopFields(&m_window, &m_ckSet);
    }
    void store(const char* key, const char* value) const
    {
        QSettings(m_config.filePath("Sprechkit/Tools.ini"), QSettings::IniFormat).setValue(key, value);
    }
    QString stored(const char* key) const
    {
        return QSettings(m_config.filePath("Sprechkit/Tools.ini"), QSettings::IniFormat).value(key).toString();
    }
    std::unique_ptr<DesktopController> makeController(const core::SettingsStore& settings,
                                                      const QDBusConnection& bus = QDBusConnection(QString()))
    {
        return std::make_unique<DesktopController>(
            DesktopController::Widgets{&m_window, &m_ckStart, &m_ckPause, &m_box}, m_fields,
            DesktopController::State{m_state.savedText, m_state.restorePending}, settings, bus,
            DesktopController::Callbacks{[] {}, [](const QString&) {}, [this] { m_ckStart.setChecked(true); },
                                         [this] { m_ckStart.setChecked(false); }});
    }

    QTemporaryDir m_config;
    QWidget m_window;
    QPushButton m_ckStart, m_ckPause, m_ckSet;
    form::TextBox m_box;
    form::WindowState m_state;
    DesktopFields m_fields;
};

RemoteReply ask(RemoteAction action, const QDBusConnection& bus)
{
    auto reply = std::async(std::launch::async, [&] { return callRemoteAction(action, bus); });
    while (reply.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return reply.get();
}

} // namespace

// Each remote action over the bus does what the window's control would: a read keeps the user's text to be put
// back and speaks the selection, Pause toggles only while speaking, Stop unchecks Start, Show brings the window.
TEST_F(DesktopControllerTest, RemoteActionsRunTheWindowsOwnControls)
{
    if (const QString missing = missingForX11({}); !missing.isEmpty() || !QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no X server or session bus of the test's own";
    const QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "controller");
    core::SettingsStore settings(QStringLiteral("Tools"));
    auto controller = makeController(settings, bus);
    m_box.setText(QStringLiteral("Eigener Text"));
    QList<bool> starts;
    QObject::connect(&m_ckStart, &QPushButton::toggled, [&](bool on) { starts << on; });
    QGuiApplication::clipboard()->clear(QClipboard::Selection);
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);

    const struct {
        RemoteAction action;
        const char* selection; // put into the primary selection first, unless null
        const char* refusal;   // the reason when the window refuses, else null
        const char* box;
        bool started, paused;
    } steps[] = {
        {RemoteAction::ReadSelection, nullptr, "nothing selected", "Eigener Text", false, false},
        {RemoteAction::Pause, nullptr, "nothing is being spoken", "Eigener Text", false, false},
        {RemoteAction::ReadSelection, "Markierter Satz.", nullptr, "Markierter Satz.", true, false},
        {RemoteAction::Pause, nullptr, nullptr, "Markierter Satz.", true, true},
        {RemoteAction::Pause, nullptr, nullptr, "Markierter Satz.", true, false},
        {RemoteAction::ReadClipboard, nullptr, "nothing on the clipboard", "Markierter Satz.", true, false},
        {RemoteAction::ReadSelection, "Zweiter Satz.", nullptr, "Zweiter Satz.", true, false},
        {RemoteAction::Stop, nullptr, nullptr, "Zweiter Satz.", false, false},
    };
    m_ckPause.setEnabled(true);
    for (const auto& step : steps) {
        SCOPED_TRACE(remoteMethodName(step.action).toStdString());
        if (step.selection)
            QGuiApplication::clipboard()->setText(QString::fromUtf8(step.selection), QClipboard::Selection);
        const RemoteReply reply = ask(step.action, bus);
        EXPECT_EQ(reply.status, step.refusal ? RemoteReply::Status::NotDone : RemoteReply::Status::Done);
        EXPECT_EQ(reply.reason, step.refusal ? QString::fromUtf8(step.refusal) : QString());
        EXPECT_EQ(m_box.text(), QString::fromUtf8(step.box));
        EXPECT_EQ(m_ckStart.isChecked(), step.started);
        EXPECT_EQ(m_ckPause.isChecked(), step.paused);
    }
    // The second read stopped the first before it took the box's text to put back.
    EXPECT_EQ(starts, QList<bool>({true, false, true, false}));
    EXPECT_EQ(m_state.savedText, "Markierter Satz.");
    EXPECT_TRUE(m_state.restorePending);

    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(ask(RemoteAction::Show, bus).status, RemoteReply::Status::Done);
    EXPECT_TRUE(m_window.isVisible());
    controller.reset();
    QDBusConnection::disconnectFromBus("controller");
}

// The reading key reads the selection while idle and stops while speaking; the pause key pauses.
TEST_F(DesktopControllerTest, ShortcutsReadStopAndPause)
{
    if (const QString missing = missingForX11({"xdotool"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    core::SettingsStore settings(QStringLiteral("Tools"));
    auto controller = makeController(settings);
    ASSERT_EQ(controller->shortcuts().state(ShortcutAction::ReadSelection), ShortcutState::Active);
    QGuiApplication::clipboard()->setText(QStringLiteral("Auswahl."), QClipboard::Selection);
    const auto press = [](const char* keys) { xdotool(qEnvironmentVariable("DISPLAY"), {"key", keys}); };

    press("ctrl+alt+s");
    EXPECT_TRUE(eventually([&] { return m_ckStart.isChecked(); }));
    EXPECT_EQ(m_box.text(), "Auswahl.");
    m_ckPause.setEnabled(true);
    press("ctrl+alt+p");
    EXPECT_TRUE(eventually([&] { return m_ckPause.isChecked(); }));
    press("ctrl+alt+s");
    EXPECT_TRUE(eventually([&] { return !m_ckStart.isChecked(); }));
}

// Missing keys read as the defaults, a cleared key stays cleared; what the fields hold is written back, a key
// typed as several combinations as its first.
TEST_F(DesktopControllerTest, KeysAndTrayChoiceSurviveARestart)
{
    store("Sprechkit/Key.PauseResume", "");
    store("Sprechkit/Check.CloseToTray", "kaputt");
    {
        core::SettingsStore settings(QStringLiteral("Tools"));
        auto controller = makeController(settings);
        EXPECT_EQ(m_fields.keys[0]->keySequence(), QKeySequence(QStringLiteral("Ctrl+Alt+S")));
        EXPECT_TRUE(m_fields.keys[1]->keySequence().isEmpty());
        EXPECT_FALSE(m_fields.ckTray->isChecked());

        // Opening the settings gives the fields their clear buttons, which empty a key.
        EXPECT_FALSE(m_fields.keys[0]->isClearButtonEnabled());
        m_ckSet.setChecked(true);
        EXPECT_TRUE(m_fields.keys[0]->isClearButtonEnabled() && m_fields.keys[1]->isClearButtonEnabled());

        m_fields.keys[0]->setKeySequence(QKeySequence(QStringLiteral("Ctrl+Shift+F5, X")));
        emit m_fields.keys[0]->editingFinished();
        EXPECT_EQ(m_fields.keys[0]->keySequence(), QKeySequence(QStringLiteral("Ctrl+Shift+F5")));
        m_fields.ckTray->setChecked(true);
        controller->saveSettings(settings);
        ASSERT_TRUE(settings.sync().ok());
    }
    EXPECT_EQ(stored("Sprechkit/Key.ReadSelection"), "Ctrl+Shift+F5");
    EXPECT_EQ(stored("Sprechkit/Key.PauseResume"), "");
    EXPECT_EQ(stored("Sprechkit/Check.CloseToTray"), "1");
}

TEST(RemoteCommandLine, OnlyAnExactFirstArgumentIsAnAction)
{
    const struct {
        QStringList arguments;
        std::optional<RemoteAction> action;
    } cases[] = {
        {{"--read-selection"}, RemoteAction::ReadSelection},
        {{"--read-clipboard", "!"}, RemoteAction::ReadClipboard},
        {{"--stop"}, RemoteAction::Stop},
        {{"--pause"}, RemoteAction::Pause},
        {{"--show"}, RemoteAction::Show},
        {{"Hallo", "--stop"}, std::nullopt},
        {{"--Stop"}, std::nullopt},
        {{"--stop "}, std::nullopt},
        {{"stop"}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(remoteActionRequest(c.arguments), c.action) << c.arguments.join(' ').toStdString();
}
