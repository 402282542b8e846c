#pragma once

#include "base/core/CommandLine.h"
#include "base/documents/OpenedDocument.h"
#include "base/speech/SpeakFlags.h"

#include <QString>

namespace form {

// Fields of the main window that several subsystems read and write. The window owns one instance and hands it
// to the subsystem classes together with the controls.
struct WindowState {
    core::RunMode run;                  // what the command line or script asked for (script run, Hide, Close, ...)
    documents::OpenedDocument document; // the document last read into the text box (--file, Ctrl+O)
    bool startupComplete = false;       // set by the last step of the start-up

    speech::SpeakFlags speakFlags = speech::SpeakAsync | speech::SpeakPurgeBeforeSpeak; // of every speak of a text
    bool speaking = false; // last values passed to SetSpeakingState
    bool paused = false;
    bool savedStartEnabled = false; // ckStart's enabled state when a Start began

    bool preparedTextFlag = false; // the box holds the prepared text; unpreparedText goes back at idle
    QString unpreparedText;
    bool restorePending = false; // an announcement or clipboard text replaced the box's text
    QString savedText;

    QString manualFileName;    // the WAV file name the user typed ("Wave.File")
    int priorityIndex = -1;    // the oTask option last selected; -1 until one is
    QString lastClipboardText; // the clipboard text last taken over (at start-up: the text found then)
    QString speechError;       // the last speak that failed, if any: an unattended run then ends with it

    QString captionPrefix;            // the maker code and a blank, or empty; the clock caption starts with it
    bool isAdminRun = false;          // from the start procedure: the caption clock marks it with " ^"
    bool machineControlInUse = false; // from the start procedure: marked with " °" when not an admin run
    double keyHintTime = 0;           // seconds since midnight of the last key press with Alt
    bool announcedFlag = false;       // a scheduled announcement was made in the current "00" second
};

} // namespace form
