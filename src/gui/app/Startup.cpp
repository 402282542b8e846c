#include "gui/app/Startup.h"

#include "base/audiobook/BookPlan.h"
#include "base/core/CommandLine.h"
#include "base/core/IniFile.h"
#include "base/core/MessageBox.h"
#include "base/core/ProgramLocation.h"
#include "base/core/RunDecision.h"
#include "base/core/SettingsKeys.h"
#include "base/core/SettingsStore.h"
#include "base/core/StandardInput.h"
#include "base/core/Version.h"
#include "base/core/WindowPlacement.h"
#include "base/documents/OpenedDocument.h"
#include "base/speech/Voice.h"
#include "base/system/FileAssociation.h"
#include "base/system/StartProcedure.h"
#include "engine/pdf/DocumentFile.h"
#include "gui/app/MainWindow.h"
#include "gui/app/SaveSet.h"
#include "gui/desktop/ApplicationId.h"
#include "gui/form/SettingsArea.h"
#include "gui/form/TextBox.h"
#include "gui/speech/EngineSetup.h"
#include "gui/speech/EventLog.h"
#include "gui/speech/SpeakingControl.h"
#include "gui/text/DictionaryList.h"
#include "gui/wav/WavSaver.h"

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
#include <QTextStream>

namespace app {

namespace {

const QString kMakerCode = QStringLiteral("SK");

} // namespace

Startup::Startup(app::MainWindow& window)
    : m_window(window)
    , m_binding(window.controls(), window.state(), [this](int index) {
        // The engine takes the restored voice at once: the list's own handler waits for the end of start-up.
        if (const core::Result set = m_window.voice()->setVoice(index); !set)
            m_window.eventLog().AppendLog(QStringLiteral("Set voice error: "), set.error());
    })
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
    QGuiApplication::setDesktopFileName(desktop::applicationId());
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

    decideRunMode();
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
    if (failure.isEmpty())
        failure = state.run.optionError;
    if (state.run.textFromStandardInput && failure.isEmpty()) {
        // Read as it stands: real line breaks need no "|" stand-in.
        const core::ResultOf<QString> input = core::readStandardInput();
        if (!input)
            failure = QStringLiteral("  Die Standardeingabe kann nicht gelesen werden ...    \r\n") + input.error();
        state.run.commandLineText = input.value();
        state.run.boxText = state.run.commandLineText;
    }
    if (state.run.textFromDocument && failure.isEmpty()) {
        const core::ResultOf<documents::Document> document = documents::readDocumentFile(state.run.documentPath);
        if (document) {
            state.document = documents::openedDocument(document.value(), state.run.documentPath);
            state.run.commandLineText = state.run.chapters ? state.document.withChapterMarks() : state.document.text;
            state.run.boxText = state.run.commandLineText;
            audiobook::BookRequest book;
            book.documentTitle = state.document.title;
            book.fileName = state.document.path;
            m_window.wavSaver().setDocument(book);
        } else {
            failure = documents::readFailureMessage(state.run.documentPath, document.error());
            if (core::decideRunMode(state.run, core::readScriptProgramKeys(state.run)).neverShowsWindow) {
                // Nobody watches a run without a window: one line on stderr, no box to wait for.
                QTextStream(stderr) << "FEHLER: " << failure.trimmed() << Qt::endl;
                m_window.abort(1);
                return false;
            }
        }
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

    const core::ResultOf<SettingsBinding::Placement> placement = m_binding.placement(settings);
    if (!placement)
        return placement.result();
    m_window.move(placement.value().position);
    form::ckSetX(c);

    if (core::Result restored = m_binding.restore(SettingsBinding::Stage::Boxes, settings); !restored)
        return restored;
    // Now that the settings area has given the window its size: a window stored off every screen (one that was
    // unplugged, a smaller resolution) would open where nobody sees it.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    m_window.move(core::visiblePosition(QRect(m_window.pos(), m_window.size()), screens));
    // After the settings area has set the window's size: resizing a minimised or maximised window would put it
    // back into the normal state.
    m_window.setWindowState(placement.value().state);
    // Choosing an option cannot fail.
    (void)m_binding.restore(SettingsBinding::Stage::Options, settings);

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
    SettingsBinding::Overrides overrides;
    if (m_window.state().run.scriptRun)
        overrides.insert(&core::setting::kSelected, scriptValue(QStringLiteral("Voice"), QStringLiteral("Voice")));
    // Choosing a list entry cannot fail.
    (void)m_binding.restore(SettingsBinding::Stage::Voices, *m_window.settings(), overrides);
}

core::Result Startup::restoreWaveSettings()
{
    return m_binding.restore(SettingsBinding::Stage::Wave, *m_window.settings());
}

void Startup::decideRunMode()
{
    core::RunMode& run = m_window.state().run;
    const core::RunDecision decision = core::decideRunMode(run, core::readScriptProgramKeys(run));
    run.hide = decision.hide;
    run.start = decision.start;
    run.close = decision.close;
    m_startsJob = decision.startsJob;
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
        if (m_startsJob)
            start();
    }
}

QString Startup::scriptValue(const QString& section, const QString& key) const
{
    return core::ReadINI(m_window.state().run.scriptPath, section, key, true);
}

} // namespace app
