#!/usr/bin/env bash
# Starts the real program with a fresh program folder and settings folder, lets it come up,
# asks it to end as a desktop session would (SIGTERM), and checks what it left behind.
set -u
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LEXO_HOME="$work/home" LEXO_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fail() { echo "smoke: $*"; [ -f "$work/log" ] && cat "$work/log"; exit 1; }

"$exe" >"$work/log" 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  grep -qs 'Nastaveni' "$LEXO_CONFIG_HOME/registry.reg" && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
  sleep 0.1
done
sleep 0.5
kill -TERM "$pid"
wait "$pid"
rc=$?
[ "$rc" -eq 0 ] || fail "exit status $rc"

reg="$LEXO_CONFIG_HOME/registry.reg"
[ -f "$reg" ] || fail "no settings file"
for line in '[HKEY_CURRENT_USER\software\Lexo2 - 2.95\Nastaveni]' '"Velkapismena"=dword:00000000' \
            '"Tipy"=dword:00000001' '"Proc1"="80"' '"Proc4"="30"' '"BarvaGrafu"="clBlue"' \
            '"Rychlost vyslovnosti"=dword:000000b4' '"Jazyk"=dword:00000000' \
            '"FontName"="Lexo Font - Angličtina"' '"Spatnevyrazy"=dword:00000000'; do
  grep -qF "$line" "$reg" || fail "settings file lacks $line"
done
[ -f "$LEXO_HOME/WorkDir/sound.wav" ] || fail "program folder not seeded"
[ -d "$LEXO_HOME/Temp" ] || fail "no Temp folder"
echo "smoke: started, wrote the default settings, ended cleanly"
