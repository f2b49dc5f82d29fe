#!/usr/bin/env bash
# A whole Test I in the real program under Xvfb: the dictionary named on the command line,
# the main window's F3, three wrong answers typed, Enter on the end message. The evaluation
# must take the place of the test without the main window coming back, and the statistics
# file must hold the finished test's row. Skipped (77) without xvfb-run and xdotool.
set -u
exe=$1
. "$(dirname "$0")/drive_helpers.sh"
fresh_program_folders
# Windows-1250, as dictionaries are: "NENÍ" ends in byte 0xCD.
printf 'pes;dog;[];NEN\xcd\r\nko\xe8ka;cat;[];NEN\xcd\r\nd\xf9m;house;[];NEN\xcd\r\n' >"$work/zvirata.slv"

cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -u
exe=$1 work=$2 helpers=$3
"$exe" "$work/zvirata.slv" >"$work/log" 2>&1 &
pid=$!
. "$helpers"
test=$(open_from_main F3 'Zkoušení výrazů I') || exit 1
for _ in 1 2 3; do
  xdotool type --window "$test" x; xdotool key --window "$test" Return; sleep 0.2
done
press "$test" Return
waitfor '^Vyhodnocení$' 50 >/dev/null || end "no evaluation after the end message"
evaluation_shown_alone 'Zkoušení výrazů I'
# A desktop session ending the program: it must still close cleanly.
terminate
DRIVE
chmod +x "$work/drive.sh"
fail() { echo "typed_exam_run: $*"; [ -f "$work/log" ] && cat "$work/log"; rm -rf "$work"; exit 1; }
under_xvfb "$work/drive.sh" "$exe" "$work" "$(dirname "$0")/drive_helpers.sh" || fail "under Xvfb"

stats="$LEXO_HOME/statistiky.dat"
[ -f "$stats" ] || fail "no statistics file"
grep -aq '^zvirata\.slv;[0-9.]*;[0-9:]*;0;3;0;Ano;Zkou' "$stats" || fail "no finished row in: $(cat "$stats")"
[ "$(grep -ac . "$stats")" = 1 ] || fail "expected exactly one row: $(cat "$stats")"
echo "typed_exam_run: a whole Test I, its evaluation and its statistics row"
rm -rf "$work"
