#pragma once

#include <QString>
#include <QStringList>

namespace core {

// Splits one command-line string the way the program's own parser does: a double quote toggles quoting and is
// dropped, a blank outside quotes starts a new argument, blanks are not merged.
QStringList splitCommandLine(const QString& commandLine);

// The program's arguments without its own name. Set once at start from argv (already split by the shell).
void setCommandLineArguments(const QStringList& arguments);
// n >= 1: the n-th argument, empty when there are fewer; n == 0: the number of arguments.
QString GetCMD(int n);

// What the command line asks this run to do.
struct RunMode {
    QString scriptPath;     // a1 when it names a script (".tts"/".ini" anywhere, any case; "@" resolved)
    bool scriptRun = false; // a script was given and found
    bool commandLineTextRun = false;
    QString commandLineText; // the text to speak from the command line (without "|" conversion)
    // The command-line text was "-": the start-up reads it from standard input.
    bool textFromStandardInput = false;
    QString boxText; // for a plain-text run: the text for the text box, "|" turned into CR LF
    // "--file PATH" stood where the text stands: the start-up reads the document into the text.
    bool textFromDocument = false;
    QString documentPath;
    QString optionArgument; // "!", "!!" or whatever a3 was left as
    QString wavTarget;      // ".wav" appended unless the file name ends in it or .mp3/.ogg/.opus/.flac
    // Options after the WAV target: subtitle files beside it ("srt", "vtt", "lrc" in the order given) and one file
    // per chapter. optionError is the message for an option there that is not understood.
    QStringList subtitles;
    bool chapters = false;
    QString optionError;
    // Set when the script path names no (or an empty) file, or one that cannot be read as text, or "--file" no
    // file at all: the message text.
    QString missingScriptMessage;

    // Filled by the start-up, not by the analysis: the script's [Program] numbers and options.
    int hide = 0;
    int start = 0;
    int close = 0;
    int saveFlag = 1;
};

// Analyses the arguments a1, a2, a3 (GetCMD 1..3), after taking the options that follow the WAV target ("?NAME")
// out of them. exeDir resolves "@name"; the script's [Voice] WavFile is
// read with ReadINI when no WAV target was given.
RunMode analyseCommandLine(const QStringList& arguments, const QString& exeDir);

} // namespace core
