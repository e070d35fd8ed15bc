#!/usr/bin/env bash
# Creates the Wine prefix given as $1 once, with the fonts a player's machine would have:
# Wine's own (Tahoma, MS Sans Serif...) and Liberation Sans standing in for Arial. "Segoe UI"
# and "Bahnschrift" stay missing on purpose, as on Wine and Proton, so the launcher's font
# fallback is what gets exercised. Safe to call from parallel tests: the work is locked.
set -euo pipefail
prefix=$1
ready="$prefix/.mf-ready"
[[ -f $ready ]] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[[ -f $ready ]] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wineserver -w

fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
cp -f /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf "$fonts/"

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
REG
wine regedit "$reg" >/dev/null 2>&1
wineserver -w
touch "$ready"
