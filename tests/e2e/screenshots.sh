#!/usr/bin/env bash
# Pictures of the real program under Xvfb for the software centre: the main window, the
# expression editor, Test I and Test II, each with a small dictionary named on the command line.
# Every picture must be a real window (a sensible size, more than a handful of colours).
#   screenshots.sh EXE             check only
#   screenshots.sh EXE OUT_FOLDER  also keep the pictures there (data/screenshots/)
# Skipped (77) without xvfb-run, xdotool or ImageMagick.
set -u
exe=$1
out=${2:-}
for tool in xvfb-run xdotool import identify; do
  command -v "$tool" >/dev/null || { echo "screenshots: SKIPPED, no $tool"; exit 77; }
done
work=$(mktemp -d)
export LEXO_HOME="$work/home" LEXO_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cat >"$work/slovicka.slv" <<'SLV'
pes;dog;[d3g];NENÍ
kočka;cat;[k1t];NENÍ
dům;house;[haus];NENÍ
kniha;book;[b5k];NENÍ
myslet;think;[7i@k];NENÍ
pták;bird;[b6d];NENÍ
šálek;cup;[k2p];NENÍ
zpívat;sing;[si@];NENÍ
loď;ship+boat;[9ip];NENÍ
jablko;apple;[1pl];NENÍ
SLV

export LEXO_E2E_WINDOWS="$(cd "$(dirname "$0")" && pwd)/drive_helpers.sh"
. "$LEXO_E2E_WINDOWS"
cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
# drive.sh EXE WORK KEY CAPTION NAME: pictures of the main window and of the window CAPTION
# that KEY opens from it, as WORK/main-window.png and WORK/NAME.png.
set -u
exe=$1 work=$2 key=$3 caption=$4 name=$5
"$exe" "$work/slovicka.slv" >>"$work/log" 2>&1 &
pid=$!
. "$LEXO_E2E_WINDOWS"
main=$(waitfor '^Lexo [0-9.]+$' 150) || end "no main window"
put_tip_away
timeout 3 xdotool windowactivate --sync "$main" 2>/dev/null; sleep 0.5
import -window "$main" "$work/main-window.png"
press "$main" "$key"
window=$(waitfor "$caption" 50) || end "$key did not open $caption"
timeout 3 xdotool windowactivate --sync "$window" 2>/dev/null; sleep 0.5
if [ "$name" = test-one ]; then
  # One wrong answer fills the previous answer and the counters, as during a real test.
  xdotool type --window "$window" x; xdotool key --window "$window" Return; sleep 0.3
  xdotool type --window "$window" th; sleep 0.3
elif [ "$name" = test-two ]; then
  # One "Nevím" shows the answer under the next question.
  press "$window" n; sleep 0.3
fi
import -window "$window" "$work/$name.png"
kill -TERM "$pid"; wait "$pid"
DRIVE
chmod +x "$work/drive.sh"
fail() { echo "screenshots: $*"; [ -f "$work/log" ] && cat "$work/log"; rm -rf "$work"; exit 1; }

check() {  # picture name
  local width height colours
  [ -f "$work/$1.png" ] || fail "no picture of $1"
  read -r width height colours < <(identify -format '%w %h %k\n' "$work/$1.png")
  [ "$width" -ge 300 ] && [ "$height" -ge 200 ] || fail "$1 is only ${width}x$height"
  [ "$colours" -ge 16 ] || fail "$1 has $colours colours: an empty window?"
  echo "screenshots: $1 ${width}x$height, $colours colours"
  [ -z "$out" ] && return
  mkdir -p "$out"
  # Software centres scale pictures themselves; a palette keeps the files small.
  convert "$work/$1.png" -strip -colors 256 "PNG8:$out/$1.png" || fail "cannot write $out/$1.png"
}
# One run each: the dictionary on the command line goes to the first working window opened.
for run in "F1:Editor výrazů:editor" "F3:Zkoušení výrazů I:test-one" "F4:Zkoušení výrazů II:test-two"; do
  IFS=: read -r key caption name <<<"$run"
  under_xvfb \
    "$work/drive.sh" "$exe" "$work" "$key" "$caption" "$name" || fail "$name under Xvfb"
  check "$name"
done
check main-window
rm -rf "$work"
