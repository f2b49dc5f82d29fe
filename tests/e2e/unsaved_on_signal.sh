#!/usr/bin/env bash
# SIGTERM while the editor holds an unsaved expression, in the real program under Xvfb: the
# question about the changes comes in a box captioned with the title of the moment, and
# "Zrušit" keeps the program running with its work; a second SIGTERM asks again.
# Skipped (77) without xvfb-run and xdotool. LEXO_SHOT=file keeps a screenshot of the box.
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
editor=$(open_from_main F1 'Editor výrazů') || exit 1
xdotool type --window "$editor" dog; xdotool key --window "$editor" Return
xdotool type --window "$editor" pes; xdotool key --window "$editor" Return; sleep 0.3
for round in 1 2; do
  kill -TERM "$pid"
  box=$(waitfor '^Lexo - Editor výrazů$' 50) || end "round $round: no question captioned with the editor's title"
  [ "$round" = 1 ] && [ -n "${LEXO_SHOT:-}" ] && import -window root "$LEXO_SHOT"
  # "Zrušit" is the last button, at the box's bottom right; clicked as a person would.
  eval "$(xdotool getwindowgeometry --shell "$box")"
  xdotool mousemove --window "$box" $((WIDTH - 50)) $((HEIGHT - 23)) click 1
  sleep 1
  kill -0 "$pid" 2>/dev/null || end "round $round: Zrušit ended the program"
  xdotool search --all --onlyvisible --pid "$pid" --name '^Lexo - Editor výrazů$' >/dev/null 2>&1 \
    && end "round $round: the question stayed open"
done
kill -KILL "$pid"; wait "$pid" 2>/dev/null
echo "unsaved_on_signal: Zrušit kept the program running twice"
DRIVE
chmod +x "$work/drive.sh"
under_xvfb "$work/drive.sh" "$exe" "$work" "$(dirname "$0")/drive_helpers.sh"
status=$?
[ $status -ne 0 ] && [ -f "$work/log" ] && cat "$work/log"
rm -rf "$work"
exit $status
