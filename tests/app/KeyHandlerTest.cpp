#include "app/KeyHandler.h"
#include "app/MainWindow.h"
#include "core/ProgramLocation.h"
#include "form/TextBox.h"
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

struct KeyCase {
    const char* name;
    std::function<void(Window&)> prepare;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::function<bool(Window&)> expected;
};

const QString kText = QStringLiteral("Guten Tag");

void setText(Window& w)
{
    w.controls().tAusgabe->setText(kText);
}

void speak(Window& w)
{
    setText(w);
    w.controls().ckStart->setChecked(true);
}

const KeyCase kCases[] = {
    {"Alt shows the hints", nullptr, Qt::Key_Alt, Qt::AltModifier,
     [](Window& w) { return !w.controls().lKeys[9]->isHidden() && w.state().keyHintTime == 9 * 3600 + 7 * 60 + 3; }},
    {"Alt+S starts", setText, Qt::Key_S, Qt::AltModifier, [](Window& w) { return w.controls().ckStart->isChecked(); }},
    {"Alt+S needs a text", nullptr, Qt::Key_S, Qt::AltModifier,
     [](Window& w) { return !w.controls().ckStart->isChecked(); }},
    {"Ctrl+Alt+S does nothing", setText, Qt::Key_S, Qt::AltModifier | Qt::ControlModifier,
     [](Window& w) { return !w.controls().ckStart->isChecked(); }},
    {"Esc stops and keeps the text", speak, Qt::Key_Escape, Qt::NoModifier,
     [](Window& w) { return !w.controls().ckStart->isChecked() && w.controls().tAusgabe->text() == kText; }},
    {"Esc empties the idle box", setText, Qt::Key_Escape, Qt::NoModifier,
     [](Window& w) { return w.controls().tAusgabe->text().isEmpty() && !w.controls().ckStart->isEnabled(); }},
    {"Alt+P pauses", speak, Qt::Key_P, Qt::AltModifier, [](Window& w) { return w.controls().ckPause->isChecked(); }},
    {"Alt+R resets", setText, Qt::Key_R, Qt::AltModifier,
     [](Window& w) { return w.controls().tAusgabe->text().isEmpty(); }},
    {"Alt+T announces", nullptr, Qt::Key_T, Qt::AltModifier,
     [](Window& w) { return w.controls().tAusgabe->text().startsWith(QStringLiteral("Es ist 9 Uhr 7")); }},
    {"Alt+A switches the announcements", nullptr, Qt::Key_A, Qt::AltModifier,
     [](Window& w) { return w.controls().ckMessage->isChecked(); }},
    {"Alt+X while ckClip is disabled", [](Window& w) { w.controls().ckClip->setEnabled(false); }, Qt::Key_X,
     Qt::AltModifier, [](Window& w) { return w.controls().ckClip->isChecked(); }},
    {"Alt+Z while ckClip is disabled", [](Window& w) { w.controls().ckClip->setEnabled(false); }, Qt::Key_Z,
     Qt::AltModifier, [](Window& w) { return !w.controls().ckClip->isChecked(); }},
    {"Alt+E from minimised", [](Window& w) { w.setWindowState(Qt::WindowMinimized); }, Qt::Key_E, Qt::AltModifier,
     [](Window& w) { return w.controls().ckSet->isChecked() && w.windowState() == Qt::WindowNoState; }},
    {"Alt+W saves", setText, Qt::Key_W, Qt::AltModifier,
     [](Window& w) { return static_cast<FakeVoice*>(w.voice())->countOf(QStringLiteral("openFileStream")) == 1; }},
    {"Alt+plus adds", nullptr, Qt::Key_Plus, Qt::AltModifier | Qt::KeypadModifier,
     [](Window& w) { return w.controls().liWords->count() == 4 && w.controls().liWords->currentRow() == 3; }},
    {"Alt+minus removes the bare row", nullptr, Qt::Key_Minus, Qt::AltModifier,
     [](Window& w) { return w.controls().liWords->count() == 3; }},
    {"Delete outside the list", nullptr, Qt::Key_Delete, Qt::NoModifier,
     [](Window& w) { return w.controls().liWords->count() == 4; }},
};

class KeyHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        core::setExePathForTesting(m_program.filePath(QStringLiteral("sprechkit")));
    }
    void TearDown() override { core::setExePathForTesting(QString()); }

    std::unique_ptr<Window> makeWindow()
    {
        auto window = std::make_unique<Window>(std::make_unique<FakeVoice>(), m_clock,
                                               QLocale(QLocale::German, QLocale::Germany));
        EXPECT_TRUE(window->load({}));
        return window;
    }

    QTemporaryDir m_config;
    QTemporaryDir m_program;
    FakeClock m_clock;
    MessageRecorder m_messages;
};

} // namespace

TEST_F(KeyHandlerTest, KeyTable)
{
    for (const KeyCase& keyCase : kCases) {
        // Each window saves its settings when it closes: give every case a store of its own.
        QTemporaryDir config;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
        auto window = makeWindow();
        if (keyCase.prepare)
            keyCase.prepare(*window);
        window->keyHandler().keyPressed(keyCase.key, keyCase.modifiers);
        EXPECT_TRUE(keyCase.expected(*window)) << keyCase.name;
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
