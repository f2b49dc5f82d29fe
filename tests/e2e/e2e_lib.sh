# Shared by the whole-program tests under Xvfb; sourced, never run.

# A fresh program folder, settings folder and desktop data folder in $work.
e2e_fresh_folders() {
  work=$(mktemp -d)
  export LEXO_HOME="$work/home" LEXO_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  export XDG_RUNTIME_DIR="$work/run"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

# The id of a visible window of the program ($pid) whose name matches $1, waiting up to
# $2 tenths of a second.
waitfor() {
  for _ in $(seq 1 "$2"); do
    w=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
