#!/usr/bin/env bash
# Starts the real program with a fresh program folder, settings folder and desktop data
# folder. Under Xvfb (when xvfb-run and xdotool exist): the splash comes up, the main window
# "Lexo 2.95" follows about two seconds later, and F10 ends the program. Otherwise it runs
# offscreen and is ended with SIGTERM, as a desktop session would end it. Either way it
# must exit with 0 and leave the default settings behind.
set -u
. "$(dirname "$0")/drive_helpers.sh"
exe=$1
work=$(mktemp -d)
export LEXO_HOME="$work/home" LEXO_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
fail() { echo "smoke: $*"; [ -f "$work/log" ] && cat "$work/log"; rm -rf "$work"; exit 1; }

if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null && [ "${LEXO_SMOKE_OFFSCREEN:-}" != 1 ]; then
  cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -u
"$1" >"$2/log" 2>&1 &
pid=$!
start=$(date +%s.%N)
splash=
for _ in $(seq 1 100); do
  # The splash has no caption of its own: the window system shows the program's name.
  splash=$(xdotool search --onlyvisible --pid "$pid" --name '^Lexo$' 2>/dev/null | head -1)
  [ -n "$splash" ] && break
  sleep 0.05
done
[ -n "$splash" ] || { echo "no splash window"; kill "$pid"; exit 1; }
echo "splash after $(echo "$(date +%s.%N) - $start" | bc) s"
main=
for _ in $(seq 1 100); do
  main=$(xdotool search --onlyvisible --name '^Lexo 2\.95$' 2>/dev/null | head -1)
  [ -n "$main" ] && break
  sleep 0.1
done
[ -n "$main" ] || { echo "no main window"; kill "$pid"; exit 1; }
echo "main window after $(echo "$(date +%s.%N) - $start" | bc) s"
xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$splash" && { echo "splash still shown"; kill "$pid"; exit 1; }
[ -n "${SMOKE_SHOT:-}" ] && import -window root "$SMOKE_SHOT"
# The tip of the day comes with the main window; "OK" puts it away.
for _ in $(seq 1 30); do
  tip=$(xdotool search --onlyvisible --pid "$pid" --name '^Tip dne programu Lexo$' 2>/dev/null | head -1)
  [ -n "$tip" ] && { xdotool key --window "$tip" Tab space 2>/dev/null; sleep 0.3; break; }
  sleep 0.1
done
xdotool windowactivate --sync "$main" 2>/dev/null; sleep 0.3
xdotool key --window "$main" F10 2>/dev/null
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "F10 did not end the program"; kill "$pid"; exit 1; }
wait "$pid"
DRIVE
  chmod +x "$work/drive.sh"
  under_xvfb "$work/drive.sh" "$exe" "$work" || fail "under Xvfb"
else
  QT_QPA_PLATFORM=offscreen "$exe" >"$work/log" 2>&1 &
  pid=$!
  for _ in $(seq 1 100); do
    grep -qs 'Nastaveni' "$LEXO_CONFIG_HOME/registry.reg" && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
    sleep 0.1
  done
  sleep 0.5
  kill -TERM "$pid"
  wait "$pid" || fail "exit status $?"
fi

reg="$LEXO_CONFIG_HOME/registry.reg"
[ -f "$reg" ] || fail "no settings file"
for line in '[HKEY_CURRENT_USER\software\Lexo2 - 2.95\Nastaveni]' '"Velkapismena"=dword:00000000' \
            '"Tipy"=dword:00000001' '"Temp"=dword:00000001' '"Proc1"="80"' '"Proc2"="60"' '"Proc3"="50"' \
            '"Proc4"="30"' '"BarvaGrafu"="clBlue"' '"DokonceniZkouseni"=dword:00000001' \
            '"PreruseniZkouseni"=dword:00000001' '"Rychlost vyslovnosti"=dword:000000b4' \
            '"Jazyk"=dword:00000000' '"FontName"="Lexo Font - Angličtina"' '"Spatnevyrazy"=dword:00000000'; do
  grep -qF "$line" "$reg" || fail "settings file lacks $line"
done
[ -f "$LEXO_HOME/WorkDir/sound.wav" ] || fail "program folder not seeded"
[ -f "$LEXO_HOME/Lexo.html" ] || fail "no help file in the program folder"
[ -d "$LEXO_HOME/Temp" ] || fail "no Temp folder"
[ -f "$XDG_DATA_HOME/applications/lexo.desktop" ] || [ -f /usr/local/share/applications/lexo.desktop ] \
  || [ -f /usr/share/applications/lexo.desktop ] || fail "no desktop registration"
echo "smoke: splash, main window, default settings, clean exit"
rm -rf "$work"
