#!/usr/bin/env bash
# The translator in the real program under Xvfb: F6 in the main window builds it and reads
# the shipped word list, typed letters arrive in capitals and find HOUSE, F3 swaps to the
# Czech direction, and the direction chosen is in the settings after the program ends.
# Skipped (77) without xvfb-run and xdotool.
set -u
exe=$1
. "$(dirname "$0")/drive_helpers.sh"
fresh_program_folders

cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -u
exe=$1 work=$2 helpers=$3
"$exe" >"$work/log" 2>&1 &
pid=$!
. "$helpers"
tr=$(open_from_main F6 '^Translator \(ANJ -> CZ\)$') || exit 1
xdotool type --delay 60 "hous"; sleep 0.3
xdotool key F3
waitfor '^Translator \(CZ -> ANJ\)$' 50 >/dev/null || end "F3 did not swap the direction"
terminate
DRIVE
chmod +x "$work/drive.sh"
fail() { echo "translator_run: $*"; [ -f "$work/log" ] && cat "$work/log"; rm -rf "$work"; exit 1; }
under_xvfb "$work/drive.sh" "$exe" "$work" "$(dirname "$0")/drive_helpers.sh" || fail "under Xvfb"

[ -s "$LEXO_HOME/prekladac.dat" ] || fail "the word list was not copied into the program folder"
reg="$LEXO_CONFIG_HOME/registry.reg"
grep -q 'Lexo2 - 2.81\\Translator\]' "$reg" || fail "no translator key in: $(cat "$reg")"
grep -qi '"ZCZDOANJ"=dword:00000001' "$reg" || fail "the Czech direction was not kept: $(cat "$reg")"
echo "translator_run: opened, searched, swapped, and the direction kept"
rm -rf "$work"
