#pragma once

#include "base/core/SettingsStore.h"
#include "gui/app/ControllerWiring.h"
#include "gui/form/Controls.h"
#include "gui/form/TextBox.h"
#include "gui/form/WindowState.h"
#include "gui/speech/EngineEvents.h"
#include "gui/speech/EngineSetup.h"
#include "gui/speech/EventLog.h"
#include "gui/speech/SpeakingControl.h"
#include "support/FakeClock.h"
#include "support/FakeVoice.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

// The speech side of the main window, wired as the window wires it, on offscreen controls with a fake voice,
// a clock standing at 14:03:07.25 and a settings store in a temporary folder. The preparation pass is stood
// in for by upper-casing the text, so a test sees which text is in the box.
struct SpeechRig {
    SpeechRig()
        : controls(form::buildControls(&window))
        , settings(makeSettings(settingsDir))
        , log(controls.DebugTxtBox, controls.ckEvents, clock)
        , speaking(app::speakingWidgets(controls), app::speakingState(state), voice, log,
                   {[this] { return prepare(); }, [this] { ++unloadCount; }})
        , setup(app::engineSetupWidgets(controls), app::engineSetupState(state), voice, *settings, log, speaking)
        , events(app::engineEventsWidgets(controls), state.paused, voice, log, speaking)
    {
    }

    static std::unique_ptr<core::SettingsStore> makeSettings(const QTemporaryDir& dir)
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        return std::make_unique<core::SettingsStore>(QStringLiteral("Tools"));
    }

    core::ResultOf<QString> prepare()
    {
        ++prepareCount;
        state.unpreparedText = controls.tAusgabe->text();
        if (!prepareError.isEmpty())
            return core::Result::failure(prepareError);
        state.preparedTextFlag = true;
        return state.unpreparedText.toUpper();
    }

    // The log's lines without time stamps: "14:03:07,25  Speak\r\n..." -> {"Speak", ...}.
    QStringList logLines() const
    {
        QStringList lines = log.text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (QString& line : lines)
            line = line.mid(13);
        return lines;
    }

    // Set-up as the start-up does it, ending with the start-up complete.
    void startUp()
    {
        setup.SpeechInit();
        setup.LoadVoiceSet();
        state.startupComplete = true;
    }

    QString stored(const QString& voiceName, const core::SettingsKey& key) const
    {
        return settings->contains(key, voiceName) ? settings->voiceValue(key, voiceName) : QStringLiteral("<none>");
    }

    QTemporaryDir settingsDir;
    QWidget window;
    form::Controls controls;
    form::WindowState state;
    FakeVoice voice;
    FakeClock clock{QDateTime(QDate(2026, 12, 5), QTime(14, 3, 7, 250))};
    std::unique_ptr<core::SettingsStore> settings;
    speech::EventLog log;
    int prepareCount = 0;
    QString prepareError; // when set, the stand-in preparation fails with it
    int unloadCount = 0;
    speech::SpeakingControl speaking;
    speech::EngineSetup setup;
    speech::EngineEvents events;
};
