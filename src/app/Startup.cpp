#include "app/Startup.h"

#include "app/MainWindow.h"
#include "core/CommandLine.h"
#include "core/IniFile.h"
#include "core/MessageBox.h"
#include "core/ProgramLocation.h"
#include "core/SettingsStore.h"
#include "core/StandardInput.h"
#include "core/Version.h"
#include "form/SettingsArea.h"
#include "form/TextBox.h"
#include "speech/EngineSetup.h"
#include "speech/Voice.h"
#include "system/FileAssociation.h"
#include "system/StartProcedure.h"
#include "text/DictionaryList.h"
#include "wav/WavSaver.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace app {

namespace {

const QString kMakerCode = QStringLiteral("SK");

// A failure inside the load handler; caught once, in Startup::run.
struct StartupError {
    QString description;
};

[[noreturn]] void notANumber(const QString& key, const QString& value)
{
    throw StartupError{QStringLiteral("The stored value \"%1\" of \"%2\" is not a number.").arg(value, key)};
}

int storedInteger(const QString& key, const QString& value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (!ok)
        notANumber(key, value);
    return number;
}

double storedNumber(const QString& key, const QString& value)
{
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    if (!ok)
        notANumber(key, value);
    return number;
}

// Setting a box's value runs its handler, like a user's click, whenever the value changes.
void setCheckValue(QAbstractButton* box, const QString& key, int value)
{
    auto* checkBox = qobject_cast<QCheckBox*>(box);
    if (value == 2 && checkBox) {
        checkBox->setTristate(true);
        checkBox->setCheckState(Qt::PartiallyChecked);
        return;
    }
    if (value != 0 && value != 1)
        throw StartupError{QStringLiteral("Invalid value %1 of \"%2\" for a check box.").arg(value).arg(key)};
    box->setChecked(value == 1);
}

int scriptNumber(const QString& value)
{
    return int(qRound(core::leadingNumber(value)));
}

} // namespace

Startup::Startup(app::MainWindow& window)
    : m_window(window)
{
}

bool Startup::run(const QStringList& arguments)
{
    try {
        load(arguments);
        return true;
    } catch (const StartupError& error) {
        core::showMessage({QStringLiteral("VOZIve"),
                           QStringLiteral("Error in initialization: \r\n\r\n") + error.description +
                               QStringLiteral("\r\n\r\nShutting down."),
                           core::MessageButtons::Ok, core::MessageIcon::Critical});
        m_window.abort(1);
        return false;
    }
}

void Startup::load(const QStringList& arguments)
{
    form::WindowState& state = m_window.state();
    const form::Controls& c = m_window.controls();

    // Names and paths.
    const bool maker = core::GetExeName().toUpper().startsWith(kMakerCode);
    const QString captionPrefix = maker ? kMakerCode + QLatin1Char(' ') : QString();
    state.captionPrefix = captionPrefix;
    // The start procedure ran before the window existed; the caption clock marks what it found.
    state.isAdminRun = sys::IsAdminRun();
    state.machineControlInUse = sys::MachineControlInUse();
    m_window.setWindowTitle(captionPrefix + m_window.windowTitle() + QStringLiteral("  v") + core::GetProgVer());
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/sprechkit/sprechkit.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("sprechkit"));
    core::prepareDataDir();
    m_window.createSubsystems(maker ? kMakerCode + QStringLiteral("-Software") : QStringLiteral("Tools"),
                              core::GetDataStem() + QStringLiteral("wrd"));

    if (!analyseArguments(arguments))
        return;

    c.lVoice->setText(QStringLiteral("\u263A"));
    c.ckStart->setEnabled(false);
    c.cSave->setEnabled(false);

    restorePlacementAndOptions();

    m_window.engineSetup().SpeechInit();
    if (m_window.voice()->voices().isEmpty())
        throw StartupError{QStringLiteral("No speech voice is installed (espeak-ng-data is missing).")};
    restoreDeviceAndVoice();
    restoreWaveSettings();

    state.run.saveFlag =
        state.run.scriptRun ? scriptNumber(scriptValue(QStringLiteral("Voice"), QStringLiteral("Save"))) : 1;
    sys::ChkRegistry();
    m_window.engineSetup().LoadVoiceSet();
    m_window.dictionary()->LoadWords();
    if (const QClipboard* clipboard = QGuiApplication::clipboard())
        state.lastClipboardText = clipboard->text();

    readScriptProgramKeys();
    if (state.run.hide == 0)
        showWindow();
    startJob();
    state.startupComplete = true;
}

bool Startup::analyseArguments(const QStringList& arguments)
{
    form::WindowState& state = m_window.state();
    core::setCommandLineArguments(arguments);
    // "@name.tts" names a script where F12 writes them.
    state.run = core::analyseCommandLine(arguments, core::GetDataDir());
    if (state.run.textFromStandardInput) {
        // Read as it stands: real line breaks need no "|" stand-in.
        state.run.commandLineText = core::readStandardInput();
        state.run.boxText = state.run.commandLineText;
    }
    if (!state.run.missingScriptMessage.isEmpty()) {
        core::showMessage({QStringLiteral(" FEHLER:"), state.run.missingScriptMessage});
        m_window.abort(1);
        return false;
    }
    if (state.run.commandLineTextRun)
        m_window.controls().tAusgabe->setText(state.run.boxText);
    return true;
}

void Startup::restorePlacementAndOptions()
{
    const form::Controls& c = m_window.controls();
    const QString main = core::SettingsStore::mainSection();
    core::SettingsStore& settings = *m_window.settings();

    const int windowState = storedInteger(QStringLiteral("Window.State"), stored(QStringLiteral("Window.State"), "0"));
    const double top = storedNumber(QStringLiteral("Window.Top"), stored(QStringLiteral("Window.Top"), "32"));
    const double left = storedNumber(QStringLiteral("Window.Left"), stored(QStringLiteral("Window.Left"), "32"));
    m_window.move(qRound(left), qRound(top));
    form::ckSetX(c);

    const std::tuple<const char*, QAbstractButton*, const char*> boxes[] = {
        {"Check.CaseSens", c.ckCSens, "1"},  {"Check.Clipboard", c.ckClip, "0"}, {"Check.Events", c.ckEvents, "0"},
        {"Check.Message", c.ckMessage, "0"}, {"Check.Secounds", c.ckSec, "0"},   {"Check.Settings", c.ckSet, "0"},
        {"Check.Words", c.ckWords, "1"}};
    for (const auto& [key, box, defaultValue] : boxes) {
        const QString name = QLatin1String(key);
        setCheckValue(box, name, storedInteger(name, stored(name, QLatin1String(defaultValue))));
    }
    // After the settings area has set the window's size: resizing a minimised or maximised window would put it
    // back into the normal state.
    m_window.setWindowState(windowState == 1   ? Qt::WindowMinimized
                            : windowState == 2 ? Qt::WindowMaximized
                                               : Qt::WindowNoState);

    const QString message = stored(QStringLiteral("Option.Message"), QStringLiteral("Hour")).toUpper();
    if (message == QLatin1String("HOUR"))
        c.oStd->setChecked(true);
    else if (message == QLatin1String("MINUTE"))
        c.oMin->setChecked(true);

    const QString priority = stored(QStringLiteral("Option.TaskPriority"), QStringLiteral("High")).toUpper();
    for (QRadioButton* option : c.oTask) {
        if (option->text().toUpper() == priority)
            option->setChecked(true);
    }

    m_transparency = stored(QStringLiteral("Window.Transparency"), QStringLiteral("0"));
    settings.setValue(main, QStringLiteral("Window.Transparency"), m_transparency);
    m_shadow = stored(QStringLiteral("Window.Shadow"), QStringLiteral("1"));
    settings.setValue(main, QStringLiteral("Window.Shadow"), m_shadow);
    settings.sync();
}

void Startup::restoreDeviceAndVoice()
{
    const form::Controls& c = m_window.controls();
    const form::WindowState& state = m_window.state();
    const core::SettingsStore& settings = *m_window.settings();

    const QString device =
        settings.value(core::SettingsStore::voicesSection(), QStringLiteral("Device"), c.coDevice->currentText());
    for (int i = 0; i < c.coDevice->count(); ++i) {
        if (c.coDevice->itemText(i) == device)
            c.coDevice->setCurrentIndex(i);
    }

    QString voice =
        settings.value(core::SettingsStore::voicesSection(), QStringLiteral("Selected"), c.coVoice->currentText());
    if (state.run.scriptRun)
        voice = scriptValue(QStringLiteral("Voice"), QStringLiteral("Voice"));
    for (int i = 0; i < c.coVoice->count(); ++i) {
        if (c.coVoice->itemText(i).trimmed() == voice.trimmed()) {
            c.coVoice->setCurrentIndex(i);
            m_window.voice()->setVoice(i);
        }
    }
}

void Startup::restoreWaveSettings()
{
    const form::Controls& c = m_window.controls();
    form::WindowState& state = m_window.state();
    const int autoName = storedInteger(QStringLiteral("Wave.Auto"), stored(QStringLiteral("Wave.Auto"), "0"));
    setCheckValue(c.ckAuto, QStringLiteral("Wave.Auto"), autoName);
    state.manualFileName = stored(QStringLiteral("Wave.File"), QStringLiteral("SpeechOut.wav"));
    c.tPath->setText(stored(QStringLiteral("Wave.Path"), core::GetDataDir()));
    if (!c.ckAuto->isChecked())
        c.tFile->setText(state.manualFileName);
}

void Startup::readScriptProgramKeys()
{
    core::RunMode& run = m_window.state().run;
    if (run.scriptRun) {
        run.hide = scriptNumber(scriptValue(QStringLiteral("Program"), QStringLiteral("Hide")));
        run.start = scriptNumber(scriptValue(QStringLiteral("Program"), QStringLiteral("Start")));
        run.close = scriptNumber(scriptValue(QStringLiteral("Program"), QStringLiteral("Close")));
    }
    if (run.optionArgument == QLatin1String("!"))
        run.close = 1;
    if (run.optionArgument == QLatin1String("!!"))
        run.hide = 1;
    if (!run.wavTarget.isEmpty())
        run.hide = 1;
    // Any Hide other than 0 hides the window and starts the job: a hidden window that nothing ends would run
    // unseen for ever.
    if (run.hide != 0)
        run.hide = 1;
}

void Startup::showWindow()
{
    const double transparency = storedNumber(QStringLiteral("Window.Transparency"), m_transparency);
    storedNumber(QStringLiteral("Window.Shadow"), m_shadow); // the window manager draws the shadow
    if (transparency > 255)
        throw StartupError{QStringLiteral("Window.Transparency %1 is out of range (0 to 255).").arg(m_transparency)};
    m_window.show();
    if (transparency > 0)
        m_window.setWindowOpacity((255 - transparency) / 255.0);
}

void Startup::startJob()
{
    const form::Controls& c = m_window.controls();
    form::WindowState& state = m_window.state();
    const auto start = [&] {
        if (c.ckStart->isChecked())
            return;
        if (state.run.wavTarget.isEmpty())
            c.ckStart->setChecked(true);
        else
            m_window.wavSaver().Save();
    };

    if (state.run.commandLineTextRun) {
        start();
    } else if (state.run.scriptRun) {
        QString text = state.run.commandLineText;
        if (text.isEmpty()) {
            text = scriptValue(QStringLiteral("Program"), QStringLiteral("Text"));
            text.replace(QLatin1Char('|'), QStringLiteral("\r\n"));
        }
        if (!text.isEmpty())
            c.tAusgabe->setText(text);
        state.run.start = scriptNumber(scriptValue(QStringLiteral("Program"), QStringLiteral("Start")));
        if (state.run.hide == 1 || state.run.start == 1)
            start();
    }
}

QString Startup::stored(const QString& key, const QString& defaultValue) const
{
    return m_window.settings()->value(core::SettingsStore::mainSection(), key, defaultValue);
}

QString Startup::scriptValue(const QString& section, const QString& key) const
{
    return core::ReadINI(m_window.state().run.scriptPath, section, key, true);
}

} // namespace app
