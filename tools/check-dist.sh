#!/usr/bin/env bash
# Validates the installed desktop files of dist/: the desktop entry and the AppStream metadata, named after the
# application id. Exits 77 (skipped) when a validator is missing; tools/deps.sh installs both.
# Usage: check-dist.sh APPLICATION_ID
set -euo pipefail
cd "$(dirname "$0")/.."
id=$1
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "check-dist: $tool is not installed" >&2; exit 77; }
done
desktop-file-validate "dist/$id.desktop"
appstreamcli validate --no-net "dist/$id.metainfo.xml"
grep -qx "Icon=$id" "dist/$id.desktop" || { echo "check-dist: the desktop entry names another icon" >&2; exit 1; }
[[ -f dist/$id.svg ]] || { echo "check-dist: no icon dist/$id.svg" >&2; exit 1; }
echo "check-dist: the desktop entry and the AppStream metadata of $id are valid"
