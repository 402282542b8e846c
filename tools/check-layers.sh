#!/usr/bin/env bash
# Fails on an #include between folders of src/ that is not an edge of the layer graph. The graph mirrors the CMake
# targets: a folder is the first two parts of a path (base/core, gui/app); the first part names its library.
#   base/<x>    sprechkit_core     base/core includes nothing; any other base folder includes the base folders
#                                  listed before it in base_order below (one not listed there: base/core only)
#   engine/<x>  sprechkit_engine   base/*
#   gui/form    sprechkit_gui      base/*
#   gui/speech  sprechkit_gui      gui/form, base/* (the speaking controller others start and stop)
#   gui/<x>     sprechkit_gui      gui/form, gui/speech, base/*
#   gui/app     sprechkit_gui      gui/*, base/*, engine/* (the one place that wires the engine to the window)
#   main.cpp    the program        anything
# A folder always includes its own headers. Headers that are not files of src/ are not checked.
# Usage: check-layers.sh [--graph] [PROJECT]   (--graph also prints which folder includes which)
set -euo pipefail
graph=0
if [[ ${1:-} == --graph ]]; then
    graph=1
    shift
fi
src="$(cd "${1:-$(dirname "$0")/..}" && pwd)/src"

# The base folders from the ground up.
base_order="core text speech announce clipboard system documents audiobook"

# The files of src/, then every quoted include as "file:#include ..."; one awk program checks each against the graph
# (a shell loop per include is too slow on a busy machine).
cd "$src"
files=$(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)
{
    printf '%s\n' "$files"
    echo "--"
    # shellcheck disable=SC2086
    grep -HE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' $files || true
} | awk -v graph="$graph" -v order="$base_order" '
function folder_of(path,    n, part) {
    n = split(path, part, "/")
    return n == 1 ? "." : (n == 2 ? part[1] : part[1] "/" part[2])
}
# What a folder may include besides itself, in words; "" when it is in no layer.
function rule_of(folder,    name, i, words) {
    if (folder == ".") return "anything"
    if (folder == "base/core") return "nothing"
    if (folder ~ /^base\//) {
        name = substr(folder, 6)
        if (!(name in rank)) return "base/core"
        words = ""
        for (i = 1; i < rank[name]; i++) words = words (i > 1 ? " " : "") "base/" base[i]
        return words
    }
    if (folder ~ /^engine\//) return "base/*"
    if (folder == "gui/form") return "base/*"
    if (folder == "gui/app") return "gui/* base/* engine/*"
    if (folder == "gui/speech") return "gui/form base/*"
    if (folder ~ /^gui\//) return "gui/form gui/speech base/*"
    return ""
}
function allowed(folder, target,    n, pattern, i, p) {
    if (folder == target || folder == ".") return 1
    n = split(rule_of(folder), pattern, " ")
    for (i = 1; i <= n; i++) {
        p = pattern[i]
        if (p == target) return 1
        if (p ~ /\/\*$/ && index(target, substr(p, 1, length(p) - 1)) == 1) return 1
    }
    return 0
}
# Counts the folder of a file the first time it is seen; a folder in no layer fails.
function note_folder(file,    folder) {
    folder = folder_of(file)
    if (!(folder in folders)) {
        folders[folder] = 1
        if (rule_of(folder) == "") {
            printf "check-layers: %s is in no layer (src/ holds base/, engine/, gui/ and main.cpp)\n", file > "/dev/stderr"
            bad = 1
        }
    }
    return folder
}
BEGIN {
    n = split(order, base, " ")
    for (i = 1; i <= n; i++) rank[base[i]] = i
}
!listed { if ($0 == "--") listed = 1; else { exists[$0] = 1; seen[$0] = 1 }; next }
{
    file = substr($0, 1, index($0, ":") - 1)
    header = $0; sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
    if (!(header in exists)) next
    delete seen[file]
    folder = note_folder(file)
    if (rule_of(folder) == "") next
    target = folder_of(header)
    if (target == folder) next
    edges[folder, target] = 1
    if (!allowed(folder, target)) {
        printf "check-layers: %s includes \"%s\", but %s may include only: %s\n", file, header, folder,
            rule_of(folder) > "/dev/stderr"
        bad = 1
    }
}
END {
    for (file in seen) {
        note_folder(file)
    }
    if (graph) {
        printf "%-16s %-44s %s\n", "folder", "includes", "(allowed)"
        count = 0
        for (f in folders) list[++count] = f
        for (i = 2; i <= count; i++)
            for (j = i; j > 1 && list[j - 1] > list[j]; j--) { t = list[j]; list[j] = list[j - 1]; list[j - 1] = t }
        for (i = 1; i <= count; i++) {
            f = list[i]; targets = ""
            for (k = 1; k <= count; k++)
                if ((f, list[k]) in edges) targets = targets list[k] " "
            printf "%-16s %-44s (%s)\n", (f == "." ? "main.cpp" : f), (targets == "" ? "(nothing)" : targets), rule_of(f)
        }
    }
    if (!bad) print "check-layers: every include between folders is an edge of the layer graph"
    exit bad
}'
