#include "gui/app/KeyHandler.h"
#include "base/core/ProgramLocation.h"
#include "gui/app/MainWindow.h"
#include "gui/form/TextBox.h"
#include "support/FakeClock.h"
#include "support/FakeVoice.h"
#include "support/MessageRecorder.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Window = app::MainWindow;
using Check = std::function<bool(const form::Controls&, Window&)>;
const QString kText = QStringLiteral("Guten Tag");

enum Prepare { Nothing, Text, Speaking, ClipDisabled, Minimised };

struct KeyCase {
    const char* name;
    Prepare prepare;
    QKeyCombination key;
    Check expected;
};

const KeyCase kCases[] = {
    {"Alt shows the hints", Nothing, Qt::ALT | Qt::Key_Alt,
     [](auto& c, auto& w) { return !c.lKeys[9]->isHidden() && w.state().keyHintTime == 9 * 3600 + 7 * 60 + 3; }},
    {"Alt+S starts", Text, Qt::ALT | Qt::Key_S, [](auto& c, auto&) { return c.ckStart->isChecked(); }},
    {"Alt+S needs a text", Nothing, Qt::ALT | Qt::Key_S, [](auto& c, auto&) { return !c.ckStart->isChecked(); }},
    {"Ctrl+Alt+S: nothing", Text, Qt::ALT | Qt::CTRL | Qt::Key_S,
     [](auto& c, auto&) { return !c.ckStart->isChecked(); }},
    {"Esc stops and keeps the text", Speaking, QKeyCombination(Qt::Key_Escape),
     [](auto& c, auto&) { return !c.ckStart->isChecked() && c.tAusgabe->text() == kText; }},
    {"Esc empties the idle box", Text, QKeyCombination(Qt::Key_Escape),
     [](auto& c, auto&) { return c.tAusgabe->text().isEmpty() && !c.ckStart->isEnabled(); }},
    {"Alt+P pauses", Speaking, Qt::ALT | Qt::Key_P, [](auto& c, auto&) { return c.ckPause->isChecked(); }},
    {"Alt+X, clip disabled", ClipDisabled, Qt::ALT | Qt::Key_X, [](auto& c, auto&) { return c.ckClip->isChecked(); }},
    {"Alt+Z, clip disabled", ClipDisabled, Qt::ALT | Qt::Key_Z, [](auto& c, auto&) { return !c.ckClip->isChecked(); }},
    {"Alt+E from minimised", Minimised, Qt::ALT | Qt::Key_E,
     [](auto& c, auto& w) { return c.ckSet->isChecked() && w.windowState() == Qt::WindowNoState; }},
    {"Alt+W saves", Text, Qt::ALT | Qt::Key_W,
     [](auto&, auto& w) { return static_cast<FakeVoice*>(w.voice())->countOf(QStringLiteral("openFileStream")); }},
    {"Alt+plus adds", Nothing, Qt::AltModifier | Qt::KeypadModifier | Qt::Key_Plus,
     [](auto& c, auto&) { return c.liWords->count() == 4 && c.liWords->currentRow() == 3; }},
    {"Alt+minus: bare row out", Nothing, Qt::ALT | Qt::Key_Minus,
     [](auto& c, auto&) { return c.liWords->count() == 3; }},
    {"Delete outside the list", Nothing, QKeyCombination(Qt::Key_Delete),
     [](auto& c, auto&) { return c.liWords->count() == 4; }},
};

class KeyHandlerTest : public ::testing::Test {
protected:
    void SetUp() override { core::setExePathForTesting(m_program.filePath(QStringLiteral("sprechkit"))); }
    void TearDown() override { core::setExePathForTesting(QString()); }

    // Each window saves its settings when it closes: every window gets a store of its own.
    std::unique_ptr<Window> makeWindow()
    {
        m_config = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config->path());
        auto window = std::make_unique<Window>(std::make_unique<FakeVoice>(), m_clock,
                                               QLocale(QLocale::German, QLocale::Germany));
        EXPECT_TRUE(window->load({}));
        return window;
    }

    std::unique_ptr<QTemporaryDir> m_config;
    QTemporaryDir m_program;
    FakeClock m_clock;
    MessageRecorder m_messages;
};

} // namespace

TEST_F(KeyHandlerTest, KeyTable)
{
    for (const KeyCase& keyCase : kCases) {
        auto window = makeWindow();
        const form::Controls& c = window->controls();
        if (keyCase.prepare == Text || keyCase.prepare == Speaking)
            c.tAusgabe->setText(kText);
        c.ckStart->setChecked(keyCase.prepare == Speaking);
        c.ckClip->setEnabled(keyCase.prepare != ClipDisabled);
        if (keyCase.prepare == Minimised)
            window->setWindowState(Qt::WindowMinimized);
        window->keyHandler().keyPressed(keyCase.key.key(), keyCase.key.keyboardModifiers());
        EXPECT_TRUE(keyCase.expected(c, *window)) << keyCase.name;
        window->close();
    }
}

// Through the event filter: the focused box sees the key once, and Alt+E types no "e" into it.
TEST_F(KeyHandlerTest, AltLetterInTheFocusedTextBoxTogglesOnceAndTypesNothing)
{
    auto window = makeWindow();
    QApplication::setActiveWindow(window.get());
    const form::Controls& c = window->controls();
    c.tAusgabe->setText(kText);
    c.tAusgabe->editor()->setFocus();
    c.tAusgabe->moveCaretToEnd();
    QTest::keyClick(c.tAusgabe->editor(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(c.ckSet->isChecked());
    EXPECT_EQ(c.tAusgabe->text(), kText);
    window->close();
}
