# Helpers for the drive scripts of the whole-program tests, sourced after the program under
# test was started in the background as $pid.

# Prints the first visible window of the program whose name matches the pattern; waits up
# to the given tenths of a second.
waitfor() {
  for _ in $(seq 1 "$2"); do
    w=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# Reports a failure and ends the program.
end() { echo "$1"; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }
