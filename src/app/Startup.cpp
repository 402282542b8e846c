#include "app/Startup.h"

#include "app/MainWindow.h"
#include "app/SaveSet.h"
#include "core/CommandLine.h"
#include "core/IniFile.h"
#include "core/MessageBox.h"
#include "core/ProgramLocation.h"
#include "core/SettingsKeys.h"
#include "core/SettingsStore.h"
#include "core/StandardInput.h"
#include "core/Version.h"
#include "core/WindowPlacement.h"
#include "form/SettingsArea.h"
#include "form/TextBox.h"
#include "speech/EngineSetup.h"
#include "speech/EventLog.h"
#include "speech/SpeakingControl.h"
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
#include <QScreen>

namespace app {

namespace {

const QString kMakerCode = QStringLiteral("SK");

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

core::Result restoreCheckBox(QAbstractButton* box, const core::SettingsKey& key, const core::SettingsStore& settings)
{
    const core::ResultOf<int> value = core::storedInteger(key, settings.value(key));
    if (!value)
        return value.result();
    return setCheckValue(box, key, value.value());
}

} // namespace

Startup::Startup(app::MainWindow& window)
    : m_window(window)
{
}

bool Startup::run(const QStringList& arguments)
{
    const core::Result loaded = load(arguments);
    if (loaded)
        return true;
    core::showMessage({QStringLiteral("VOZIve"),
                       QStringLiteral("Error in initialization: \r\n\r\n") + loaded.error() +
                           QStringLiteral("\r\n\r\nShutting down."),
                       core::MessageButtons::Ok, core::MessageIcon::Critical});
    m_window.abort(1);
    return false;
}

core::Result Startup::load(const QStringList& arguments)
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
        return {}; // the missing-script box has been shown and the run ended

    c.lVoice->setText(QStringLiteral("\u263A"));
    c.ckStart->setEnabled(false);
    c.cSave->setEnabled(false);

    if (core::Result restored = restorePlacementAndOptions(); !restored)
        return restored;

    m_window.engineSetup().SpeechInit();
    if (m_window.voice()->voices().isEmpty())
        return core::Result::failure(QStringLiteral("No speech voice is installed (espeak-ng-data is missing)."));
    restoreDeviceAndVoice();
    if (core::Result restored = restoreWaveSettings(); !restored)
        return restored;

    state.run.saveFlag =
        state.run.scriptRun ? core::leadingInteger(scriptValue(QStringLiteral("Voice"), QStringLiteral("Save"))) : 1;
    sys::ChkRegistry();
    m_window.engineSetup().LoadVoiceSet();
    m_window.dictionary()->LoadWords();
    if (const QClipboard* clipboard = QGuiApplication::clipboard())
        state.lastClipboardText = clipboard->text();

    readScriptProgramKeys();
    if (state.run.hide == 0) {
        if (core::Result shown = showWindow(); !shown)
            return shown;
    }
    startJob();
    state.startupComplete = true;
    return {};
}

bool Startup::analyseArguments(const QStringList& arguments)
{
    form::WindowState& state = m_window.state();
    core::setCommandLineArguments(arguments);
    // "@name.tts" names a script where F12 writes them.
    state.run = core::analyseCommandLine(arguments, core::GetDataDir());
    QString failure = state.run.missingScriptMessage;
    if (state.run.textFromStandardInput && failure.isEmpty()) {
        // Read as it stands: real line breaks need no "|" stand-in.
        const core::ResultOf<QString> input = core::readStandardInput();
        if (!input)
            failure = QStringLiteral("  Die Standardeingabe kann nicht gelesen werden ...    \r\n") + input.error();
        state.run.commandLineText = input.value();
        state.run.boxText = state.run.commandLineText;
    }
    if (!failure.isEmpty()) {
        core::showMessage({QStringLiteral(" FEHLER:"), failure});
        m_window.abort(1);
        return false;
    }
    if (state.run.commandLineTextRun)
        m_window.controls().tAusgabe->setText(state.run.boxText);
    return true;
}

core::Result Startup::restorePlacementAndOptions()
{
    using namespace core::setting;
    const form::Controls& c = m_window.controls();
    core::SettingsStore& settings = *m_window.settings();

    const core::ResultOf<int> windowState = core::storedInteger(kWindowState, settings.value(kWindowState));
    if (!windowState)
        return windowState.result();
    const core::ResultOf<int> top = core::storedPixels(kWindowTop, settings.value(kWindowTop));
    if (!top)
        return top.result();
    const core::ResultOf<int> left = core::storedPixels(kWindowLeft, settings.value(kWindowLeft));
    if (!left)
        return left.result();
    m_window.move(left.value(), top.value());
    form::ckSetX(c);

    for (const CheckSetting& setting : checkSettings(c)) {
        if (core::Result restored = restoreCheckBox(setting.box, *setting.key, settings); !restored)
            return restored;
    }
    // Now that the settings area has given the window its size: a window stored off every screen (one that was
    // unplugged, a smaller resolution) would open where nobody sees it.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    m_window.move(core::visiblePosition(QRect(m_window.pos(), m_window.size()), screens));
    // After the settings area has set the window's size: resizing a minimised or maximised window would put it
    // back into the normal state.
    m_window.setWindowState(windowState.value() == 1   ? Qt::WindowMinimized
                            : windowState.value() == 2 ? Qt::WindowMaximized
                                                       : Qt::WindowNoState);

    const QString message = settings.value(kOptionMessage).toUpper();
    if (message == QLatin1String("HOUR"))
        c.oStd->setChecked(true);
    else if (message == QLatin1String("MINUTE"))
        c.oMin->setChecked(true);

    const QString priority = settings.value(kOptionTaskPriority).toUpper();
    for (QRadioButton* option : c.oTask) {
        if (option->text().toUpper() == priority)
            option->setChecked(true);
    }

    m_transparency = settings.value(kWindowTransparency);
    settings.setValue(kWindowTransparency, m_transparency);
    m_shadow = settings.value(kWindowShadow);
    settings.setValue(kWindowShadow, m_shadow);
    // Not fatal at start-up: the changes are kept, and the sync at exit tries again and reports a failure.
    (void)settings.sync();
    return {};
}

void Startup::restoreDeviceAndVoice()
{
    const form::Controls& c = m_window.controls();
    const form::WindowState& state = m_window.state();
    const core::SettingsStore& settings = *m_window.settings();

    const QString device = settings.value(core::setting::kDevice, c.coDevice->currentText());
    for (int i = 0; i < c.coDevice->count(); ++i) {
        if (c.coDevice->itemText(i) == device)
            c.coDevice->setCurrentIndex(i);
    }

    QString voice = settings.value(core::setting::kSelected, c.coVoice->currentText());
    if (state.run.scriptRun)
        voice = scriptValue(QStringLiteral("Voice"), QStringLiteral("Voice"));
    for (int i = 0; i < c.coVoice->count(); ++i) {
        if (c.coVoice->itemText(i).trimmed() == voice.trimmed()) {
            c.coVoice->setCurrentIndex(i);
            if (const core::Result set = m_window.voice()->setVoice(i); !set)
                m_window.eventLog().AppendLog(QStringLiteral("Set voice error: "), set.error());
        }
    }
}

core::Result Startup::restoreWaveSettings()
{
    using namespace core::setting;
    const form::Controls& c = m_window.controls();
    form::WindowState& state = m_window.state();
    const core::SettingsStore& settings = *m_window.settings();
    if (core::Result restored = restoreCheckBox(c.ckAuto, kWaveAuto, settings); !restored)
        return restored;
    state.manualFileName = settings.value(kWaveFile);
    c.tPath->setText(settings.value(kWavePath, core::GetDataDir()));
    if (!c.ckAuto->isChecked())
        c.tFile->setText(state.manualFileName);
    return {};
}

void Startup::readScriptProgramKeys()
{
    core::RunMode& run = m_window.state().run;
    if (run.scriptRun) {
        run.hide = core::leadingInteger(scriptValue(QStringLiteral("Program"), QStringLiteral("Hide")));
        run.start = core::leadingInteger(scriptValue(QStringLiteral("Program"), QStringLiteral("Start")));
        run.close = core::leadingInteger(scriptValue(QStringLiteral("Program"), QStringLiteral("Close")));
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

core::Result Startup::showWindow()
{
    using namespace core::setting;
    const core::ResultOf<double> transparency = core::storedNumber(kWindowTransparency, m_transparency);
    if (!transparency)
        return transparency.result();
    // Checked like the other numbers, though the window manager draws the shadow.
    if (const core::ResultOf<double> shadow = core::storedNumber(kWindowShadow, m_shadow); !shadow)
        return shadow.result();
    if (transparency.value() > 255)
        return core::Result::failure(
            QStringLiteral("Window.Transparency %1 is out of range (0 to 255).").arg(m_transparency));
    m_window.show();
    if (transparency.value() > 0)
        m_window.setWindowOpacity((255 - transparency.value()) / 255.0);
    return {};
}

void Startup::startJob()
{
    const form::Controls& c = m_window.controls();
    form::WindowState& state = m_window.state();
    const auto start = [&] {
        if (m_window.speakingControl().isStarted())
            return;
        if (state.run.wavTarget.isEmpty())
            m_window.speakingControl().start();
        else
            (void)m_window.wavSaver().Save(); // a WAV target ends the run through its callback, with the error
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
        state.run.start = core::leadingInteger(scriptValue(QStringLiteral("Program"), QStringLiteral("Start")));
        if (state.run.hide == 1 || state.run.start == 1)
            start();
    }
}

QString Startup::scriptValue(const QString& section, const QString& key) const
{
    return core::ReadINI(m_window.state().run.scriptPath, section, key, true);
}

} // namespace app
