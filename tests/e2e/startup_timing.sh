#!/usr/bin/env bash
# A start as a person sees it, under Xvfb: the splash picture on the screen within half a
# second, the main window two seconds after that paint, little processor time until then.
# Timed by startup_timing.py; fresh program, settings and desktop folders each run.
set -u
. "$(dirname "$0")/drive_helpers.sh"
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "needs xvfb-run and xdotool"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LEXO_HOME="$work/home" LEXO_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
under_xvfb python3 "$here/startup_timing.py" "$exe"
