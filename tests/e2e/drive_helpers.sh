# Helpers for the scripts that drive the real program under Xvfb. The outer script calls
# fresh_program_folders; the driving script, run inside Xvfb, sources this file again with
# $pid set to the program's process.


# Runs a command under a new X server of 1024x768. The search for a free display starts at a
# random number: two tests started together by ctest -j2 could otherwise both take :99. Should
# two still meet on one display, the command finds no server that answers; it then runs once
# more on another display. Its own failures are never run again.
under_xvfb() {
  local status
  for _ in 1 2; do
    env -u QT_QPA_PLATFORM xvfb-run -a -n $((100 + RANDOM % 800)) -s '-screen 0 1024x768x24' bash -c '
      for _ in $(seq 1 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && exec "$@"; sleep 0.1; done
      exit 99' under_xvfb "$@"
    status=$?
    [ "$status" = 99 ] || return "$status"
    echo "under_xvfb: no X server answered on the display; once more on another" >&2
  done
  return 1
}

# Skips (77) without xvfb-run and xdotool; else sets $work to a new folder holding the
# program folder, the settings and the runtime folder, all exported for the program.
fresh_program_folders() {
  command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "no xvfb-run or xdotool"; exit 77; }
  work=$(mktemp -d)
  export LEXO_HOME="$work/home" LEXO_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  export XDG_RUNTIME_DIR="$work/run"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

# The first visible window of the program whose name matches; waits up to $2 tenths of a second.
waitfor() {
  for _ in $(seq 1 "$2"); do
    w=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# Gives up: says why and ends the program.
end() { echo "$1"; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }

# Ends the program as a desktop session does; it must close cleanly.
terminate() {
  kill -TERM "$pid"
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && end "SIGTERM did not end the program"
  wait "$pid"
}

# Presses keys in a window through the X keyboard itself. xdotool's `key --window` sends a key
# through the keyboard only while that window has the focus and as a synthetic event otherwise;
# a key that opens or closes a window is then pressed for real and released synthetically, the
# server keeps it held, and its auto-repeat reaches the next window 0.66 s later.
press() {
  local window=$1; shift
  timeout 3 xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key "$@"
}

# At a fresh start the tip of the day comes with the main window and takes the keyboard;
# "OK" puts it away. Nothing to do when it does not come within $1 tenths of a second.
put_tip_away() {
  local tip
  tip=$(waitfor '^Tip dne programu Lexo$' "${1:-30}") || return 0
  press "$tip" Tab space
  sleep 0.3
}

# With the evaluation open: neither the main window nor the test window ($1) is on screen.
evaluation_shown_alone() {
  sleep 0.3
  xdotool search --all --onlyvisible --pid "$pid" --name '^Lexo 2\.95$' >/dev/null 2>&1 &&
    end "the main window came back during the evaluation"
  xdotool search --all --onlyvisible --pid "$pid" --name "$1" >/dev/null 2>&1 &&
    end "the test window stayed on screen behind the evaluation"
  return 0
}

# From the main window, at a fresh start: puts the tip away, presses $1 and prints the window
# whose name matches $2 once it is active. Needs $pid; ends the run when either window fails
# (the reason goes to stderr, since callers take the window from stdout).
open_from_main() {
  local main window
  main=$(waitfor '^Lexo 2\.95$' 150) || end "no main window" >&2
  put_tip_away
  timeout 3 xdotool windowactivate --sync "$main" 2>/dev/null; sleep 0.3
  press "$main" "$1"
  window=$(waitfor "$2" 100) || end "$1 did not open $2" >&2
  timeout 3 xdotool windowactivate --sync "$window" 2>/dev/null; sleep 0.3
  echo "$window"
}
