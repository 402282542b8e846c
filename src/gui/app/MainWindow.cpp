#include "gui/app/MainWindow.h"

#include "base/core/Clock.h"
#include "base/core/MessageBox.h"
#include "base/core/ProgramLocation.h"
#include "base/core/ScriptFile.h"
#include "base/core/SettingsKeys.h"
#include "base/core/SettingsStore.h"
#include "base/core/TerminationRequest.h"
#include "base/speech/Voice.h"
#include "base/system/ProcessPriority.h"
#include "engine/pdf/DocumentFile.h"
#include "engine/tags/TagWriter.h"
#include "gui/announce/ClockTimer.h"
#include "gui/app/ControllerWiring.h"
#include "gui/app/KeyHandler.h"
#include "gui/app/SaveSet.h"
#include "gui/app/SettingsBinding.h"
#include "gui/app/Startup.h"
#include "gui/clipboard/ClipboardWatcher.h"
#include "gui/desktop/DesktopController.h"
#include "gui/documents/DocumentOpener.h"
#include "gui/form/SettingsArea.h"
#include "gui/form/TextBox.h"
#include "gui/speech/EngineEvents.h"
#include "gui/speech/EngineSetup.h"
#include "gui/speech/EventLog.h"
#include "gui/speech/SpeakingControl.h"
#include "gui/text/ChkWords.h"
#include "gui/text/DictionaryEditor.h"
#include "gui/text/DictionaryList.h"
#include "gui/wav/FolderChooser.h"
#include "gui/wav/WavSaver.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextStream>
#include <QTimer>

#include <type_traits>
#include <utility>

namespace app {

namespace {

// Its priority index is a const reference: a field of another type would bind a copy that is gone at once.
static_assert(std::is_same_v<std::remove_cvref_t<decltype(app::KeyHandler::State::priorityIndex)>,
                             decltype(form::WindowState::priorityIndex)>);

app::KeyHandler::Widgets keyHandlerWidgets(const form::Controls& c)
{
    return {.window = c.window,
            .tAusgabe = c.tAusgabe,
            .lKeys = c.lKeys,
            .ckStart = c.ckStart,
            .ckPause = c.ckPause,
            .ckMessage = c.ckMessage,
            .ckSet = c.ckSet,
            .ckClip = c.ckClip,
            .cDat = c.cDat,
            .cReset = c.cReset,
            .cTime = c.cTime,
            .cSave = c.cSave,
            .cAdd = c.cAdd,
            .cRemove = c.cRemove,
            .oTask = c.oTask};
}

} // namespace

MainWindow::MainWindow(std::unique_ptr<speech::Voice> voice, const core::Clock& clock, QLocale locale, QWidget* parent)
    : QWidget(parent)
    , m_clock(clock)
    , m_locale(std::move(locale))
    , m_voice(std::move(voice))
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Sprechkit TextToSpeech Tool"));
    setFixedSize(form::kFullWidth, form::kFullHeight);
    m_controls = form::buildControls(this);
    m_desktopFields = desktop::buildDesktopFields(this, m_controls.ckSet);
    m_eventLog = std::make_unique<speech::EventLog>(m_controls.DebugTxtBox, m_controls.ckEvents, m_clock);

    connect(m_controls.ckSet, &QPushButton::toggled, this, &MainWindow::settingsToggled);
    connect(m_controls.cPath, &QPushButton::clicked, this, &MainWindow::choosePath);

    // The others start and stop speaking through it, so it comes first. Its preparation pass needs the dictionary,
    // which the start-up creates before anything is spoken.
    m_speakingControl = std::make_unique<speech::SpeakingControl>(
        speakingWidgets(m_controls), speakingState(m_state), *m_voice, *m_eventLog,
        speech::SpeakingControl::Callbacks{
            [this] { return text::prepareBoxText(m_controls, m_state, *m_dictionary, m_clock, m_locale); },
            [this] {
                unload(m_state.speechError.isEmpty() ? core::Result() : core::Result::failure(m_state.speechError));
            }});
    m_dictionaryEditor = std::make_unique<text::DictionaryEditor>(dictionaryEditorWidgets(m_controls));
    m_clipboardWatcher = std::make_unique<clipboard::ClipboardWatcher>(
        clipboardWidgets(m_controls), clipboardState(m_state), *m_speakingControl,
        std::make_unique<clipboard::SystemClipboardSource>());
    m_clockTimer = std::make_unique<announce::ClockTimer>(clockTimerWidgets(m_controls), clockTimerState(m_state),
                                                          *m_speakingControl, m_clock, m_locale, windowTitle(),
                                                          [this] { m_clipboardWatcher->tick(); });
    m_keyHandler = std::make_unique<app::KeyHandler>(
        keyHandlerWidgets(m_controls), app::KeyHandler::State{m_state.keyHintTime, m_state.priorityIndex}, m_clock,
        *m_speakingControl, *m_dictionaryEditor, [this] { MakeINI(); });
    qApp->installEventFilter(m_keyHandler.get());
    m_documentOpener = std::make_unique<documents::DocumentOpener>(this, m_controls.tAusgabe, m_state.document,
                                                                   documents::readDocumentFile);
    for (int i = 0; i < m_controls.oTask.size(); ++i) {
        connect(m_controls.oTask[i], &QAbstractButton::toggled, this, [this, i](bool checked) {
            if (!checked)
                return;
            m_state.priorityIndex = i;
            core::setProcessPriority(i);
        });
    }
}

MainWindow::~MainWindow()
{
    // The subsystems hold references to the voice: let them go first.
    m_engineEvents.reset();
    m_wavSaver.reset();
    m_engineSetup.reset();
    m_speakingControl.reset();
    m_voice.reset();
}

void MainWindow::createSubsystems(const QString& settingsApplication, const QString& dictionaryPath)
{
    m_settings = std::make_unique<core::SettingsStore>(settingsApplication);
    m_dictionary = std::make_unique<text::DictionaryList>(m_controls, dictionaryPath);
    m_engineSetup = std::make_unique<speech::EngineSetup>(engineSetupWidgets(m_controls), engineSetupState(m_state),
                                                          *m_voice, *m_settings, *m_eventLog, *m_speakingControl);
    m_engineEvents = std::make_unique<speech::EngineEvents>(engineEventsWidgets(m_controls), m_state.paused, *m_voice,
                                                            *m_eventLog, *m_speakingControl);
    m_wavSaver = std::make_unique<wav::WavSaver>(
        wavSaverWidgets(m_controls), wavSaverState(m_state), *m_voice,
        wav::WavSaver::Callbacks{
            [this] { return ChkWords(); }, [this](const core::Result& saved) { unload(saved); },
            [this] { m_engineSetup->deviceSelected(); },
            [this](const QString& text, const QString& error) { m_eventLog->AppendLog(text, error); },
            &tags::writeTags});
    m_wavSaver->setProgressClock(m_clock);
}

bool MainWindow::load(const QStringList& arguments)
{
    m_baseCaption = windowTitle();
    // Ticks arrive from the event loop, so none runs before the start-up is complete.
    m_clockTimer->start();
    app::Startup startup(*this);
    const bool running = startup.run(arguments);
    if (!running)
        return false;
    const core::RunMode& run = m_state.run;
    // The session bus, the key grabs and the tray icon take a while: the window shows first.
    if (!m_unloaded && run.hide == 0 && run.close == 0 && run.wavTarget.isEmpty())
        QTimer::singleShot(0, this, &MainWindow::startDesktop);
    return !m_unloaded;
}

void MainWindow::startDesktop()
{
    if (m_unloaded)
        return;
    m_desktop = std::make_unique<desktop::DesktopController>(
        desktop::DesktopController::Widgets{this, m_controls.ckStart, m_controls.ckPause, m_controls.tAusgabe},
        m_desktopFields, desktop::DesktopController::State{m_state.savedText, m_state.restorePending}, *m_settings,
        QDBusConnection::sessionBus(),
        desktop::DesktopController::Callbacks{
            [this] { unload(); }, [this](const QString& line) { m_eventLog->AppendLog(line); },
            [this] { m_speakingControl->start(); }, [this] { m_speakingControl->stop(); }});
    if (m_pendingAction)
        m_desktop->performWhenRunning(*std::exchange(m_pendingAction, std::nullopt));
}

void MainWindow::performWhenRunning(desktop::RemoteAction action)
{
    if (m_desktop)
        m_desktop->performWhenRunning(action);
    else
        m_pendingAction = action;
}

core::Result MainWindow::ChkWords()
{
    return text::ChkWords(m_controls, m_state, *m_dictionary, m_clock, m_locale);
}

void MainWindow::settingsToggled()
{
    // A minimised or maximised window cannot change its size: back to normal first.
    const Qt::WindowStates states = windowState();
    if (states & (Qt::WindowMinimized | Qt::WindowMaximized))
        setWindowState(states & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    form::ckSetX(m_controls);
}

void MainWindow::choosePath()
{
    QString field = m_controls.tPath->text();
    wav::FolderChooser::choose(this, &field);
    m_controls.tPath->setText(field);
}

void MainWindow::unload(const core::Result& job)
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_clockTimer->stop();
    // Asked from outside to end (a logout, Ctrl+C): nobody may be there to answer a box, and the caller expects
    // the signal's exit status.
    const int signal = core::terminationSignal();
    QStringList errors;
    if (!job)
        errors.append(job.error());
    releaseVoice();
    const QStringList saveErrors = saveAll();
    errors.append(saveErrors);

    // An unattended job often runs in a window nobody sees: tell the caller what went wrong, and end non-zero.
    for (const QString& error : std::as_const(errors))
        QTextStream(stderr) << "sprechkit: " << error << Qt::endl;
    if (!isUnattended() && !saveErrors.isEmpty() && signal == 0)
        core::showMessage({QStringLiteral(" FEHLER:"),
                           QStringLiteral("Beim Beenden konnte nicht alles gespeichert werden:    \r\n\r\n") +
                               saveErrors.join(QStringLiteral("\r\n")),
                           core::MessageButtons::Ok, core::MessageIcon::Exclamation});
    endProgram(signal != 0 ? 128 + signal : !job || !saveErrors.isEmpty() ? 1 : 0);
}

void MainWindow::saveAtForcedExit()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    for (const QString& error : saveAll())
        QTextStream(stderr) << "sprechkit: " << error << Qt::endl;
}

bool MainWindow::isUnattended() const
{
    return m_state.run.scriptRun || m_state.run.hide > 0 || m_state.run.close > 0;
}

QStringList MainWindow::saveAll()
{
    QStringList saveErrors;
    const auto keep = [&saveErrors](const core::Result& saved) {
        if (!saved && !saveErrors.contains(saved.error()))
            saveErrors.append(saved.error());
    };
    if (m_state.run.wavTarget.isEmpty() && m_settings) {
        if (m_desktop)
            m_desktop->saveSettings(*m_settings);
        keep(app::SaveSet(m_controls, m_state, *m_settings));
        if (const core::Result saved = m_dictionary->SaveWords(); !saved)
            keep(core::Result::failure(QStringLiteral("The dictionary was not saved. ") + saved.error()));
    }
    if (!isUnattended() && m_settings) {
        app::SettingsBinding(m_controls, m_state).savePlacement(*m_settings);
        keep(m_settings->sync());
    }
    return saveErrors;
}

void MainWindow::abort(int exitCode)
{
    m_unloaded = true;
    m_clockTimer->stop();
    releaseVoice();
    endProgram(exitCode);
}

void MainWindow::releaseVoice()
{
    // Unloading often runs inside one of the voice's own event handlers (the end of a stream), so the voice and
    // the handlers cannot be destroyed here: silence the voice and cut it off from the window instead. The
    // destructor frees them once the event loop has ended.
    if (!m_voice)
        return;
    if (m_engineEvents)
        QObject::disconnect(m_voice.get(), nullptr, m_engineEvents.get(), nullptr);
    // The program is ending; a voice that cannot be silenced stops with it.
    (void)m_voice->speak(QString(), speech::SpeakPurgeBeforeSpeak);
}

void MainWindow::endProgram(int exitCode)
{
    m_exitCode = exitCode;
    hide();
    emit finished(exitCode);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_desktop && !m_unloaded && m_desktop->hideOnClose())
        return event->ignore();
    unload();
    event->accept();
}

void MainWindow::MakeINI()
{
    const QString path = core::GetDataStem() + QStringLiteral("tts");
    core::ScriptState script;
    script.text = m_controls.tAusgabe->text();
    script.voice = m_controls.coVoice->currentText();
    script.rate = m_controls.hsRate->value();
    script.volume = m_controls.hsVolume->value();
    script.format = m_controls.coFormat->currentText();
    if (const core::Result written = core::writeScriptFile(path, script); !written) {
        // Confirming a file that was never written would send the user looking for it.
        core::showMessage({QStringLiteral(" FEHLER:"),
                           QStringLiteral("  Datei ''") + path +
                               QStringLiteral("'' konnte nicht erstellt werden.    \r\n") + written.error(),
                           core::MessageButtons::Ok, core::MessageIcon::Exclamation});
        return;
    }
    core::showMessage({m_baseCaption, QStringLiteral("  ''") + path + QStringLiteral("'' wurde erstellt.    ")});
}

} // namespace app
