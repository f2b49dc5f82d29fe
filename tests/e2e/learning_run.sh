#!/usr/bin/env bash
# A lesson in the real program under Xvfb: the dictionary named on the command line, the
# main window's F2, the lesson advancing by itself to the end of its pass, whose question is
# answered No; "w" then finds no dictionary, F10 brings the main window back, and the
# learning settings are in the settings file. Skipped (77) without xvfb-run and xdotool.
set -u
exe=$1
. "$(dirname "$0")/drive_helpers.sh"
fresh_program_folders
# Windows-1250, as dictionaries are: "NENÍ" ends in byte 0xCD.
printf 'pes;dog;[];NEN\xcd\r\nko\xe8ka;cat;[];NEN\xcd\r\n' >"$work/zvirata.slv"

cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -u
exe=$1 work=$2 helpers=$3
"$exe" "$work/zvirata.slv" >"$work/log" 2>&1 &
pid=$!
. "$helpers"
learning=$(open_from_main F2 '^Výuka výrazů$') || exit 1
start=$(date +%s.%N)
# Two expressions two seconds apart, then the question at the end of the pass; message
# boxes carry the title of the moment.
box=$(waitfor '^Lexo - Zkoušení nepravidelných sloves$' 120) || end "the lesson did not reach the end of its pass by itself"
took=$(echo "$(date +%s.%N) - $start" | bc)
echo "end of the pass after $took s"
[ "$(echo "$took >= 3" | bc)" = 1 ] || end "the pass ended too soon ($took s)"
press "$box" Escape
sleep 0.5
xdotool search --all --onlyvisible --pid "$pid" --name '^Lexo - Zkoušení nepravidelných sloves$' >/dev/null 2>&1 && end "the question stayed"
# No window manager gives the focus back: take it as a desktop would.
timeout 3 xdotool windowfocus --sync "$learning" 2>/dev/null; sleep 0.2
xdotool type --window "$learning" w
warning=$(waitfor '^Lexo - Zkoušení nepravidelných sloves$' 30) || end "no warning after the lesson ended"
press "$warning" Return
sleep 0.5
press "$learning" F10
waitfor '^Lexo 2\.95$' 30 >/dev/null || end "F10 did not bring the main window back"
kill -TERM "$pid"
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && end "SIGTERM did not end the program"
wait "$pid"
DRIVE
chmod +x "$work/drive.sh"
fail() { echo "learning_run: $*"; [ -f "$work/log" ] && cat "$work/log"; rm -rf "$work"; exit 1; }
under_xvfb "$work/drive.sh" "$exe" "$work" "$(dirname "$0")/drive_helpers.sh"
[ $? = 0 ] || fail "under Xvfb"

reg="$LEXO_CONFIG_HOME/registry.reg"
[ -f "$reg" ] || fail "no settings file"
grep -aq 'Vyuka\]' "$reg" || fail "no learning settings key in: $(cat "$reg")"
grep -aq '"Pocsekund"=dword:00000002' "$reg" || fail "no default interval in: $(cat "$reg")"
echo "learning_run: a lesson advanced by itself to the end of its pass"
rm -rf "$work"
