#!/usr/bin/env bash
# Pictures of the real program under Xvfb for the software centre: the main window, the
# expression editor and Test I, each with a small dictionary named on the command line.
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

cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
# drive.sh EXE WORK KEY CAPTION SHOT: the main window, then KEY opens the window CAPTION.
set -u
exe=$1 work=$2 key=$3 caption=$4 shot=$5
"$exe" "$work/slovicka.slv" >>"$work/log" 2>&1 &
pid=$!
waitfor() {  # name pattern, tenths of a second
  for _ in $(seq 1 "$2"); do
    w=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
end() { echo "$1"; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }
main=$(waitfor '^Lexo [0-9.]+$' 150) || end "no main window"
timeout 3 xdotool windowactivate --sync "$main" 2>/dev/null; sleep 0.5
[ "$key" = none ] && { import -window "$main" "$shot"; kill -TERM "$pid"; wait "$pid"; exit; }
xdotool key --window "$main" "$key"
window=$(waitfor "$caption" 50) || end "$key did not open $caption"
timeout 3 xdotool windowactivate --sync "$window" 2>/dev/null; sleep 0.8
import -window "$window" "$shot"
kill -TERM "$pid"; wait "$pid"
DRIVE
chmod +x "$work/drive.sh"
fail() { echo "screenshots: $*"; [ -f "$work/log" ] && cat "$work/log"; rm -rf "$work"; exit 1; }

shots=(main-window:none: editor:F1:'Editor výrazů' test-one:F3:'Zkoušení výrazů I')
for entry in "${shots[@]}"; do
  IFS=: read -r name key caption <<<"$entry"
  env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1024x768x24' \
    "$work/drive.sh" "$exe" "$work" "$key" "$caption" "$work/$name.png" || fail "$name under Xvfb"
  [ -f "$work/$name.png" ] || fail "no picture of $name"
  read -r width height colours < <(identify -format '%w %h %k\n' "$work/$name.png")
  [ "$width" -ge 300 ] && [ "$height" -ge 200 ] || fail "$name is only ${width}x$height"
  [ "$colours" -ge 16 ] || fail "$name has $colours colours: an empty window?"
  echo "screenshots: $name ${width}x$height, $colours colours"
  if [ -n "$out" ]; then
    mkdir -p "$out"
    # Software centres scale pictures themselves; a palette keeps the files small.
    convert "$work/$name.png" -strip -colors 256 "PNG8:$out/$name.png" || fail "cannot write $out/$name.png"
  fi
done
rm -rf "$work"
