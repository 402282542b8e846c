#!/usr/bin/env bash
# Fails on an #include between folders of src/ that points up the layers. The layers, from the ground up:
#   core                 clock, message boxes, string replacement, INI files, settings, program location
#   base/documents       document readers: text, EPUB, ODT, DOCX, HTML, Markdown, RTF, the PDF text assembly
#   form                 the window's controls, shared window state, text box, layout (includes core only)
#   text speech ...      a subsystem's pure logic and the controllers that work on the form
#   speech/espeak        the espeak-ng voice
#   engine/pdf           PDF through Poppler, and reading a document file of any kind
#   base/audiobook       subtitles, chapters, playlists and tag values (pure)
#   engine/tags          the TagLib tag writer
#   gui/desktop          the desktop around the window: remote actions, selection, global shortcuts, tray icon
#   gui/app              each controller's share of the window's controls and state
#   app                  the window that wires the controllers, start-up, shutdown, unattended runs
#   .                    main.cpp
# A folder may include its own headers and those of any folder listed before it.
# Usage: check-layers.sh [--graph] [PROJECT]   (--graph also prints which folder includes which)
set -euo pipefail
graph=0
if [[ ${1:-} == --graph ]]; then
    graph=1
    shift
fi
src="$(cd "${1:-$(dirname "$0")/..}" && pwd)/src"
layers=(core base/documents form text speech speech/espeak engine/pdf announce clipboard wav system base/audiobook engine/tags gui/desktop gui/app app .)

rank_of() {
    local i
    for i in "${!layers[@]}"; do
        [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }
    done
    echo -1
}

bad=0
declare -A edges=()
while IFS= read -r file; do
    folder=$(dirname "${file#"$src"/}")
    rank=$(rank_of "$folder")
    if ((rank < 0)); then
        echo "check-layers: $folder is in no layer; add it to tools/check-layers.sh" >&2
        bad=1
        continue
    fi
    while IFS= read -r header; do
        target=$(dirname "$header")
        [[ $target == "$folder" || $target == . && ! -e $src/$header ]] && continue
        target_rank=$(rank_of "$target")
        [[ $target != "$folder" ]] && edges["$folder"]+=" $target"

        if ((target_rank < 0 || target_rank > rank)); then
            echo "check-layers: ${file#"$src"/} includes \"$header\", which points up the layers" >&2
            bad=1
        fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' "$file")
done < <(find "$src" -name '*.cpp' -o -name '*.h' | sort)

if ((graph)); then
    for folder in "${layers[@]}"; do
        targets=
        # shellcheck disable=SC2086
        [[ -n ${edges[$folder]:-} ]] && targets=$(printf '%s\n' ${edges[$folder]} | sort -u | tr '\n' ' ')
        printf '%-14s -> %s\n' "${folder/#./main.cpp}" "${targets:-(nothing)}"
    done
fi
((bad == 0)) && echo "check-layers: every include between folders points down"
exit "$bad"
