#!/usr/bin/env bash
# A whole Test II in the real program under Xvfb, keyboard only: the dictionary named on the
# command line, the main window's F4, the answers v n v n. The evaluation takes the test's
# place, the statistics row is written, and a first start has written every value of Test
# II's settings. Skipped (77) without xvfb-run and xdotool.
set -u
exe=$1
. "$(dirname "$0")/drive_helpers.sh"
fresh_program_folders
# Windows-1250, as dictionaries are: "NENÍ" ends in byte 0xCD.
printf 'pes;dog;[];NEN\xcd\r\nko\xe8ka;cat;[];NEN\xcd\r\nd\xf9m;house;[];NEN\xcd\r\nkr\xe1va;cow;[];NEN\xcd\r\n' \
  >"$work/zvirata.slv"

cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -u
exe=$1 work=$2 helpers=$3
"$exe" "$work/zvirata.slv" >"$work/log" 2>&1 &
pid=$!
. "$helpers"
test=$(open_from_main F4 'Zkoušení výrazů II') || exit 1
for k in v n v n; do xdotool key "$k"; sleep 0.3; done
waitfor '^Vyhodnocení$' 50 >/dev/null || end "no evaluation after the fourth answer"
evaluation_shown_alone 'Zkoušení výrazů II'
terminate
DRIVE
chmod +x "$work/drive.sh"
fail() { echo "exam_two_run: $*"; [ -f "$work/log" ] && cat "$work/log"; rm -rf "$work"; exit 1; }
under_xvfb "$work/drive.sh" "$exe" "$work" "$(dirname "$0")/drive_helpers.sh" || fail "under Xvfb"

stats="$LEXO_HOME/statistiky.dat"
[ -f "$stats" ] || fail "no statistics file"
# "Zkoušení II" in Windows-1250.
grep -aq $'^zvirata\\.slv;[0-9.]*;[0-9:]*;2;2;50;Ano;Zkou\x9aen\xed II' "$stats" || fail "no finished row in: $(cat "$stats")"
[ "$(grep -ac . "$stats")" = 1 ] || fail "expected exactly one row: $(cat "$stats")"
wrong="$LEXO_HOME/spatnevyrazyjedn.slv"
settings="$LEXO_CONFIG_HOME/registry.reg"
section=$(sed -n '/Jednoduchy zkousec\]/,/^$/p' "$settings")
for value in Angcz Czang Napoveduzobrazitprooba Postupne Nahodne Napoveduzobrazit Napovedunezobrazit Pouzitzvuk \
  Spozdenivyslovnosti; do
  grep -q "^\"$value\"=" <<<"$section" || fail "a first start did not write \"$value\" of Test II: $section"
done
# The program's end leaves the evaluation, which keeps its two expressions for "Naposledy neuhodnuté výrazy".
[ "$(grep -ac . "$wrong" 2>/dev/null)" = 2 ] || fail "expected two last wrong expressions: $(cat "$wrong" 2>&1)"
echo "exam_two_run: a whole Test II by keyboard, its evaluation, its statistics row and its settings"
rm -rf "$work"
