#include "DesktopTest.h"
#include "e2e/VirtualDisplay.h"

#include "gui/desktop/GlobalShortcuts.h"

#include <QProcess>

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace desktop;
using Action = ShortcutAction;

namespace {

QString press(const QString& keys)
{
    return xdotool(qEnvironmentVariable("DISPLAY"), QStringList{QStringLiteral("key")} + keys.split(QLatin1Char(' ')));
}

// Every Ctrl+Alt key grabbed by an X client of its own, as another program would hold them.
xcb_connection_t* holdCtrlAltKeys()
{
    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
    std::free(xcb_request_check(other, xcb_grab_key_checked(other, 0, root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1,
                                                            XCB_GRAB_ANY, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    return other;
}

} // namespace

// The default keys pressed while another program's window has the focus, also with NumLock and CapsLock on; then a
// key that moves from one action to the other keeps working.
TEST(GlobalShortcuts, KeysPressedInAnotherProgramsWindowAreCaught)
{
    if (const QString missing = missingForX11({"xdotool", "xmessage"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    GlobalShortcuts shortcuts;
    QList<Action> caught;
    QObject::connect(&shortcuts, &GlobalShortcuts::activated, [&](Action action) { caught << action; });
    for (const Action action : {Action::ReadSelection, Action::PauseResume}) {
        shortcuts.setKeys(action, GlobalShortcuts::defaultKeys(action));
        EXPECT_EQ(shortcuts.state(action), ShortcutState::Active);
    }
    QProcess other;
    other.start(QStringLiteral("xmessage"), {QStringLiteral("Ein anderes Programm")});
    const QString window = xdotool(qEnvironmentVariable("DISPLAY"), {"search", "--sync", "--name", "^xmessage$"});
    xdotool(qEnvironmentVariable("DISPLAY"), {"windowfocus", "--sync", window});

    const struct {
        const char* keys;
        Action action;
    } cases[] = {
        {"ctrl+alt+s", Action::ReadSelection},
        {"ctrl+alt+p", Action::PauseResume},
        {"Num_Lock ctrl+alt+s Num_Lock", Action::ReadSelection},
        {"Caps_Lock ctrl+alt+p Caps_Lock", Action::PauseResume},
    };
    for (const auto& c : cases) {
        const qsizetype before = caught.size();
        press(QLatin1String(c.keys));
        EXPECT_TRUE(eventually([&] { return caught.size() > before; })) << c.keys;
        EXPECT_EQ(caught.mid(before), QList<Action>{c.action}) << c.keys;
    }

    // Reading moves onto the pause's key: the pause is told the key is taken and the key reads; once reading moves
    // on, the key pauses again.
    shortcuts.setKeys(Action::ReadSelection, GlobalShortcuts::defaultKeys(Action::PauseResume));
    EXPECT_EQ(shortcuts.state(Action::PauseResume), ShortcutState::Taken);
    caught.clear();
    press(QStringLiteral("ctrl+alt+p"));
    EXPECT_TRUE(eventually([&] { return caught.size() == 1; }));
    shortcuts.setKeys(Action::ReadSelection, QKeySequence(QStringLiteral("Ctrl+Alt+R")));
    EXPECT_EQ(shortcuts.state(Action::PauseResume), ShortcutState::Active);
    press(QStringLiteral("ctrl+alt+p ctrl+alt+r"));
    EXPECT_TRUE(eventually([&] { return caught.size() == 3; }));
    EXPECT_EQ(caught, QList<Action>({Action::ReadSelection, Action::PauseResume, Action::ReadSelection}));
    other.kill();
    other.waitForFinished(5000);
}

// A key another program holds, a key of several chords and a cleared key: a state with its hint and a log line.
TEST(GlobalShortcuts, AKeyAnotherProgramHoldsGivesAHint)
{
    if (const QString missing = missingForX11({}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    xcb_connection_t* other = holdCtrlAltKeys();
    GlobalShortcuts shortcuts;
    QStringList log;
    QObject::connect(&shortcuts, &GlobalShortcuts::logLine, [&](const QString& line) { log << line; });

    shortcuts.setKeys(Action::ReadSelection, QKeySequence(QStringLiteral("Ctrl+Alt+X")));
    EXPECT_EQ(shortcuts.state(Action::ReadSelection), ShortcutState::Taken);
    EXPECT_EQ(GlobalShortcuts::hint(ShortcutState::Taken), "Die Taste ist schon belegt.");
    EXPECT_EQ(log, QStringList{"Global shortcut Ctrl+Alt+X: another program holds the key"});
    shortcuts.setKeys(Action::PauseResume, QKeySequence(QStringLiteral("Ctrl+A, B")));
    EXPECT_EQ(shortcuts.state(Action::PauseResume), ShortcutState::Invalid);
    shortcuts.setKeys(Action::PauseResume, QKeySequence());
    EXPECT_EQ(shortcuts.state(Action::PauseResume), ShortcutState::Off);

    xcb_disconnect(other);
}
