#include "base/core/CommandLineHelp.h"

#include "base/core/Version.h"

namespace core {

namespace {

const char* const Usage =
    R"(Usage: sprechkit [TEXT|--file DOCUMENT|SCRIPT [TEXT]] [! | !! | ?NAME [--subtitles LIST] [--chapters]]

  TEXT       the text to speak; "|" in it is a line break. Quote texts with blanks.
  -          read the text from standard input (UTF-8, or Windows-1252)
  --file DOCUMENT
             (first argument only) the text of a document file: text, PDF,
             EPUB, ODT, DOCX, HTML, Markdown or RTF; stands where TEXT stands
  SCRIPT     a script file: any argument containing ".tts" or ".ini" (any case);
             "@name.tts" is a script beside the program. A TEXT after it replaces
             the script's Text.
  !          speak, then end the program
  !!         speak with the window hidden, then end
  ?NAME      write the speech to the file NAME (".wav" is appended unless the
             name ends in it) without showing the window, then end
  --subtitles LIST   after ?NAME: also write subtitles timed by the spoken
             words beside it; LIST is any of srt, vtt, lrc, comma-separated
  --chapters after ?NAME: one file per chapter (NAME-01.EXT, ...; a chapter
             starts at a line that begins with "# ") and a playlist NAME.m3u

  -h, --help     print this text
  --version      print the version

       sprechkit --read-selection | --read-clipboard | --pause | --stop | --show

  --read-selection  read the selected text (else the clipboard's) in the running
                    window; without one, start the program and read it there
  --read-clipboard  likewise, the clipboard's text
  --pause           pause, or resume when paused
  --stop            stop speaking
  --show            raise the window, or show it when hidden
  With a running window these end at once: 0 when done, 1 with the reason on
  stderr when not (nothing selected, nothing on the clipboard).

Examples:
  sprechkit "Guten Morgen" !
  echo "Hallo" | sprechkit - ?hallo
  sprechkit --file buch.epub ?buch.mp3
  sprechkit - ?buch.mp3 --subtitles srt,vtt --chapters < buch.txt
  sprechkit @job.tts !
)";

} // namespace

std::optional<QString> informationRequest(const QStringList& arguments)
{
    const QString first = arguments.value(0);
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        return QString::fromUtf8(Usage);
    if (first == QLatin1String("--version"))
        return QStringLiteral("Sprechkit %1\n").arg(GetProgVer());
    return std::nullopt;
}

} // namespace core
