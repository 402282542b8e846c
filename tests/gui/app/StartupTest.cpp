#include "base/core/ProgramLocation.h"
#include "base/core/TestFiles.h"
#include "gui/app/MainWindow.h"
#include "gui/form/TextBox.h"
#include "support/FakeClock.h"
#include "support/FakeVoice.h"
#include "support/MessageRecorder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace std::string_view_literals;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        setProgramName(QStringLiteral("sprechkit"));
    }
    void TearDown() override { core::setExePathForTesting(QString()); }

    void setProgramName(const QString& name) { core::setExePathForTesting(m_program.filePath(name)); }

    std::unique_ptr<app::MainWindow> makeWindow()
    {
        auto voice = std::make_unique<FakeVoice>();
        voice->voiceTokens = {{QStringLiteral("de"), QStringLiteral("German")},
                              {QStringLiteral("en"), QStringLiteral("English 16")}};
        m_voice = voice.get();
        return std::make_unique<app::MainWindow>(std::move(voice), m_clock, QLocale(QLocale::German, QLocale::Germany));
    }

    QString stored(const QString& key, const QString& application = QStringLiteral("Tools")) const
    {
        QSettings settings(m_config.filePath(QStringLiteral("Sprechkit/") + application + QStringLiteral(".ini")),
                           QSettings::IniFormat);
        return settings.value(key).toString();
    }
    void store(const QString& key, const QString& value) const
    {
        QSettings settings(m_config.filePath(QStringLiteral("Sprechkit/Tools.ini")), QSettings::IniFormat);
        settings.setValue(key, value);
    }
    QString programFile(const QString& name) const { return m_program.filePath(name); }

    QTemporaryDir m_config;
    QTemporaryDir m_program;
    FakeClock m_clock;
    MessageRecorder m_messages;
    FakeVoice* m_voice = nullptr;
};

TEST_F(StartupTest, FirstRunTakesEveryDefaultAndChangedSettingsSurviveARestart)
{
    {
        auto window = makeWindow();
        ASSERT_TRUE(window->load({}));
        const form::Controls& c = window->controls();
        EXPECT_TRUE(c.ckCSens->isChecked() && c.ckWords->isChecked() && c.oStd->isChecked());
        EXPECT_FALSE(c.ckClip->isChecked() || c.ckEvents->isChecked() || c.ckMessage->isChecked() ||
                     c.ckSec->isChecked() || c.ckSet->isChecked() || c.ckAuto->isChecked() || c.ckStart->isEnabled());
        EXPECT_TRUE(c.oTask[2]->isChecked()); // High
        EXPECT_EQ(window->size(),
                  QSize(form::kFullWidth - form::kSettingsWidth, form::kFullHeight - form::kSettingsHeight));
        EXPECT_EQ(window->pos(), QPoint(32, 32));
        EXPECT_EQ(c.tFile->text(), QStringLiteral("SpeechOut.wav"));
        EXPECT_EQ(c.tPath->text(), m_program.path() + QLatin1Char('/'));
        EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Sprechkit TextToSpeech Tool  v")));
        // Three default rows, all active, then the empty row, which is current.
        ASSERT_EQ(c.liWords->count(), 4);
        EXPECT_EQ(c.liWords->item(0)->text(), QStringLiteral("TTS  \u2022  Text-To-Speech"));
        EXPECT_EQ(c.liWords->item(2)->checkState(), Qt::Checked);
        EXPECT_EQ(c.liWords->currentRow(), 3);
        EXPECT_TRUE(m_messages.messages().isEmpty());

        c.ckSet->setChecked(true);
        c.coVoice->setCurrentIndex(1);
        c.hsRate->setValue(-3);
        c.tFile->setText(QStringLiteral("ansage.wav"));
        window->close();
        EXPECT_EQ(window->exitCode(), 0);
    }
    EXPECT_TRUE(QFileInfo::exists(programFile(QStringLiteral("sprechkit.wrd"))));

    auto window = makeWindow();
    ASSERT_TRUE(window->load({}));
    const form::Controls& c = window->controls();
    EXPECT_TRUE(c.ckSet->isChecked());
    EXPECT_EQ(window->size(), QSize(form::kFullWidth, form::kFullHeight));
    EXPECT_EQ(c.coVoice->currentText(), QStringLiteral("English 16"));
    EXPECT_EQ(c.hsRate->value(), -3);
    EXPECT_EQ(c.tFile->text(), QStringLiteral("ansage.wav"));
    // Derived from the voice name, stored at once when chosen after start-up.
    EXPECT_EQ(c.coFormat->currentText(), QStringLiteral("16kHz, 16Bit, Mono"));
}

TEST_F(StartupTest, MinimisedOrMaximisedWindowReopensInThatStateWithEitherLayout)
{
    for (const char* settingsArea : {"0", "1"}) {
        for (const auto& [code, flag] : {std::pair{"1", Qt::WindowMinimized}, std::pair{"2", Qt::WindowMaximized}}) {
            store(QStringLiteral("Sprechkit/Window.State"), QLatin1String(code));
            store(QStringLiteral("Sprechkit/Check.Settings"), QLatin1String(settingsArea));
            auto window = makeWindow();
            ASSERT_TRUE(window->load({}));
            EXPECT_TRUE(window->windowState() & flag) << code << " with settings area " << settingsArea;
            window->close();
            EXPECT_EQ(stored(QStringLiteral("Sprechkit/Window.State")), QLatin1String(code));
        }
    }
}

TEST_F(StartupTest, StoredValueThatIsNoNumberEndsTheStartUpWithoutSaving)
{
    for (const auto& [key, value] : {std::pair{"Window.State", "abc"}, std::pair{"Check.Words", "ja"},
                                     std::pair{"Window.Left", "links"}, std::pair{"Window.Transparency", "300"}}) {
        QFile::remove(m_config.filePath(QStringLiteral("Sprechkit/Tools.ini")));
        store(QStringLiteral("Sprechkit/") + key, value);
        MessageRecorder messages;
        auto window = makeWindow();
        EXPECT_FALSE(window->load({})) << key;
        EXPECT_EQ(window->exitCode(), 1);
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_TRUE(messages.messages()[0].text.startsWith(QStringLiteral("Error in initialization: \r\n\r\n")));
        EXPECT_FALSE(QFileInfo::exists(programFile(QStringLiteral("sprechkit.wrd"))));
        EXPECT_EQ(stored(QStringLiteral("Sprechkit/Check.Words")), QLatin1String(key == "Check.Words"sv ? value : ""));
    }
}

TEST_F(StartupTest, MakerCodeInTheProgramNameSelectsItsOwnSettings)
{
    setProgramName(QStringLiteral("sKtts"));
    auto window = makeWindow();
    ASSERT_TRUE(window->load({}));
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("SK Sprechkit TextToSpeech Tool")));
    window->controls().ckSec->setChecked(true);
    window->close();
    EXPECT_EQ(stored(QStringLiteral("Sprechkit/Check.Secounds"), QStringLiteral("SK-Software")), QStringLiteral("1"));
}

// Another window saves an entry and a setting while this run goes on: a run that changed neither must not put back
// what it read at its start; one that changed a setting writes all of them (the last window to close wins).
TEST_F(StartupTest, ExitWritesDictionaryAndSettingsOnlyWhenTheRunChangedThem)
{
    using Change = void (*)(const form::Controls&);
    const Change untick = [](const form::Controls& c) { c.liWords->item(0)->setCheckState(Qt::Unchecked); };
    const Change add = [](const form::Controls& c) { c.cAdd->click(), QTest::keyClicks(c.tWL1, "neu"); };
    const Change tick = [](const form::Controls& c) { c.ckSec->setChecked(true); };
    const Change select = [](const form::Controls& c) { c.liWords->setCurrentRow(0); }; // no change
    const struct {
        QStringList arguments;
        Change change;
        bool dictionaryWritten, settingsWritten;
    } cases[] = {{{"Hallo", "!"}, nullptr, false, false},
                 {{}, select, false, false},
                 {{"Hallo", "!"}, untick, true, false},
                 {{}, add, true, false},
                 {{}, tick, false, true}};
    const QString words = programFile(QStringLiteral("sprechkit.wrd"));
    store(QStringLiteral("Sprechkit/Check.Settings"), QStringLiteral("1")); // the dictionary editor can be used
    for (const auto& c : cases) {
        writeFile(words, "TTS;Text-To-Speech;1\r\n");
        store(QStringLiteral("Sprechkit/Check.Words"), QStringLiteral("1"));
        auto window = makeWindow();
        ASSERT_TRUE(window->load(c.arguments));
        writeFile(words, "TTS;Text-To-Speech;1\r\nneu;Neu;1\r\n");
        store(QStringLiteral("Sprechkit/Check.Words"), QStringLiteral("0"));
        if (c.change)
            c.change(window->controls());
        if (c.arguments.isEmpty())
            window->close();
        else
            emit m_voice->endStream(1, 1000);
        EXPECT_EQ(readFile(words).contains("neu;Neu;1"), !c.dictionaryWritten) << &c - cases;
        EXPECT_EQ(stored(QStringLiteral("Sprechkit/Check.Words")), QLatin1String(c.settingsWritten ? "1" : "0"))
            << &c - cases;
    }
}

TEST_F(StartupTest, ScriptOverridesVoiceValuesAndStoresThemOnlyWithSave)
{
    for (const char* save : {"0", "1"}) {
        QFile::remove(m_config.filePath(QStringLiteral("Sprechkit/Tools.ini")));
        writeFile(programFile(QStringLiteral("job.tts")),
                  QByteArray("[Program]\r\nStart = 0\r\nText = Eins|Zwei\r\n"
                             "[Voice]\r\nVoice = English 16\r\nRate = 4\r\n"
                             "Volume = 30 ' leiser\r\nFormat = \" 8kHz, 16Bit, Mono\"\r\n"
                             "Save = ") +
                      save + "\r\n");
        {
            auto window = makeWindow();
            ASSERT_TRUE(window->load({programFile(QStringLiteral("job.tts"))}));
            const form::Controls& c = window->controls();
            EXPECT_EQ(c.tAusgabe->text(), QStringLiteral("Eins\r\nZwei"));
            EXPECT_EQ(c.coVoice->currentText(), QStringLiteral("English 16"));
            EXPECT_EQ(std::pair(c.hsRate->value(), c.hsVolume->value()), std::pair(4, 30));
            EXPECT_EQ(c.coFormat->currentText(), QStringLiteral(" 8kHz, 16Bit, Mono"));
            EXPECT_FALSE(c.ckStart->isChecked()); // Start = 0 only shows the text
            window->close();
        }
        EXPECT_EQ(stored(QStringLiteral("Sprechkit/Voices/Selected")), QStringLiteral("English 16"));
        EXPECT_EQ(stored(QStringLiteral("Sprechkit/Voices/English 16/Rate")), QLatin1String(save == "1"sv ? "4" : ""))
            << "Save = " << save;
    }
}

TEST_F(StartupTest, MakeIniWritesTheScriptBesideTheProgramOrSaysItCouldNot)
{
    auto window = makeWindow();
    ASSERT_TRUE(window->load({}));
    window->controls().tAusgabe->setText(QStringLiteral("a\r\nb\r\nc"));
    window->MakeINI();
    EXPECT_TRUE(readFile(programFile(QStringLiteral("sprechkit.tts"))).contains("Text    = a|b|c\r\n"));
    ASSERT_EQ(m_messages.messages().size(), 1);
    EXPECT_EQ(m_messages.messages()[0].text, QStringLiteral("  ''") + programFile(QStringLiteral("sprechkit.tts")) +
                                                 QStringLiteral("'' wurde erstellt.    "));

    core::setExePathForTesting(m_program.filePath(QStringLiteral("missing-folder/sprechkit")));
    window->MakeINI();
    ASSERT_EQ(m_messages.messages().size(), 2);
    EXPECT_EQ(m_messages.messages()[1].title, QStringLiteral(" FEHLER:"));
    EXPECT_TRUE(m_messages.messages()[1].text.contains(QStringLiteral("konnte nicht erstellt werden")));
}

TEST_F(StartupTest, SettingsThatCannotBeSavedAreReportedAtExitAndEndTheRunNonZero)
{
    // A file where the settings folder should be: nothing can be written there.
    writeFile(m_config.filePath(QStringLiteral("Sprechkit")), "");
    for (const bool unattended : {false, true}) {
        MessageRecorder messages;
        auto window = makeWindow();
        int finishedWith = -1;
        QObject::connect(window.get(), &app::MainWindow::finished, [&](int code) { finishedWith = code; });
        ASSERT_TRUE(
            window->load(unattended ? QStringList{QStringLiteral("Hallo"), QStringLiteral("!")} : QStringList{}));
        window->controls().ckSec->setChecked(true);
        if (unattended)
            emit m_voice->endStream(1, 1000);
        else
            window->close();
        EXPECT_EQ(finishedWith, 1); // the user saw the box, a caller only sees the exit code
        ASSERT_EQ(messages.messages().size(), unattended ? 0 : 1);
        if (!unattended) {
            EXPECT_EQ(messages.messages()[0].title, QStringLiteral(" FEHLER:"));
            EXPECT_TRUE(messages.messages()[0].text.contains(QStringLiteral("Not a directory")));
        }
    }
}

} // namespace
