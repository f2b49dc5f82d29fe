#!/usr/bin/env bash
# The help windows in the real program under Xvfb: the tip of the day at start, unticked
# and closed (stored as "Tipy"=0); the update check against a server on 127.0.0.1 that
# offers a newer version under a hostile installer name; the installer lands inside
# Aktualizace/ whole, and the question after it is answered No. Skipped (77) without
# xvfb-run, xdotool or python3. SHOTS=folder keeps screenshots.
set -u
exe=$1
command -v python3 >/dev/null || { echo "no python3"; exit 77; }
. "$(dirname "$0")/drive_helpers.sh"
fresh_program_folders
mkdir -p "$work/site"
head -c 3000000 /dev/urandom >"$work/site/setup.bin"
python3 -u -m http.server --bind 127.0.0.1 --directory "$work/site" 0 >"$work/server.log" 2>&1 &
server=$!
port=
for _ in $(seq 1 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$work/server.log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
fail() { echo "help_run: $*"; [ -f "$work/log" ] && cat "$work/log"; kill "$server" 2>/dev/null; rm -rf "$work"; exit 1; }
[ -n "$port" ] || fail "the local server did not start"
printf '2.80\r\n3000000\r\n9.12.2026\r\nhttp://127.0.0.1:%s/setup.bin\r\n../../../nebezpecne.bin\r\nNov\xe9 okno s tipy;Rychlej\x9a\xed start;Opravy chyb;\r\n' "$port" \
  >"$work/site/N-VERZE.TXT"
export LEXO_UPDATE_URL="http://127.0.0.1:$port/"
# The mail program: a stand-in that writes down its arguments.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "%s/mail.txt"\n' "$work" >"$work/bin/xdg-email"
chmod +x "$work/bin/xdg-email"
export PATH="$work/bin:$PATH"

cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -u
exe=$1 work=$2 helpers=$3
"$exe" >"$work/log" 2>&1 &
pid=$!
. "$helpers"
shot() { [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/$1.png"; return 0; }
end() { echo "$1"; shot failure; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit 1; }
# The main window sits at the top left; "Info" is the fourth menu, "Internet" its third item.
internet_item() {  # the item's height in the submenu
  xdotool mousemove --window "$main" 231 9 click 1; sleep 0.5
  xdotool mousemove --window "$main" 270 76; sleep 0.3; xdotool click 1; sleep 0.5
  xdotool mousemove --window "$main" 440 "$1"; sleep 0.3; xdotool click 1
}
main=$(waitfor '^Lexo 2\.95$' 150) || end "no main window"
tip=$(waitfor '^Tip dne programu Lexo$' 50) || end "no tip at start"
sleep 0.5; shot tip
# Focus is on "Další": back to the check box, untick it, on to "OK".
press "$tip" shift+Tab space Tab Tab space
sleep 0.5
xdotool search --all --onlyvisible --pid "$pid" --name '^Tip dne programu Lexo$' >/dev/null 2>&1 && end "the tip stayed open"
timeout 3 xdotool windowactivate --sync "$main" 2>/dev/null; sleep 0.3
# Info → Internet → Zkontrolovat aktualizace (with no window manager the menus take the mouse only).
internet_item 120
update=$(waitfor '^Aktualizace z Internetu$' 100) || end "no update window"
sleep 0.5; shot update
press "$update" space
for _ in $(seq 1 100); do
  box=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Lexo' 2>/dev/null | grep -v "^$main\$" | head -1)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || end "no question after the download"
sleep 0.5; shot question
# "Ne": back to the main window.
press "$box" Escape
main=$(waitfor '^Lexo 2\.95$' 50) || end "the main window did not come back"
timeout 3 xdotool windowactivate --sync "$main" 2>/dev/null; sleep 0.3
# Info → Internet → Napsat autorovi: a note, Tab to "Odeslat".
sleep 1; internet_item 76
note=$(waitfor '^Zpráva autorovi programu:$' 30) || end "no window for the note"
timeout 3 xdotool windowactivate --sync "$note" 2>/dev/null; sleep 0.3
xdotool type --window "$note" "Dobry den"; sleep 0.3; shot note
press "$note" Tab space
for _ in $(seq 1 50); do [ -s "$work/mail.txt" ] && break; sleep 0.1; done
[ -s "$work/mail.txt" ] || end "the mail program was not started"
waitfor '^Lexo 2\.95$' 50 >/dev/null || end "the main window did not come back after the note"
kill -TERM "$pid"
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && end "SIGTERM did not end the program"
wait "$pid"
DRIVE
chmod +x "$work/drive.sh"
under_xvfb "$work/drive.sh" "$exe" "$work" "$(dirname "$0")/drive_helpers.sh" || fail "under Xvfb"
kill "$server" 2>/dev/null

grep -aq '"Tipy"=dword:00000000' "$LEXO_CONFIG_HOME/registry.reg" || fail "the unticked box was not stored"
cmp -s "$work/site/setup.bin" "$LEXO_HOME/Aktualizace/nebezpecne.bin" || fail "the installer did not arrive whole"
[ "$(ls -A "$LEXO_HOME/Aktualizace")" = nebezpecne.bin ] || fail "more in Aktualizace: $(ls -A "$LEXO_HOME/Aktualizace")"
[ -e "$work/nebezpecne.bin" ] || [ -e "$work/home/../nebezpecne.bin" ] && fail "the installer left the program folder"
cmp -s "$work/site/N-VERZE.TXT" "$LEXO_HOME/WorkDir/N-VERZE.TXT" || fail "no version file in WorkDir"
note="$LEXO_HOME/WorkDir/Zprava.txt"
[ "$(cat "$note")" = "$(printf 'Dobry den\r')" ] || fail "the note file holds: $(cat -A "$note")"
[ "$(cat "$work/mail.txt")" = "$(printf -- '--utf8\n--subject\nZprava od uživatele\n--attach\n%s\nautor@lexo.example' "$note")" ] ||
  fail "the mail program got: $(cat "$work/mail.txt")"
echo "help_run: the tip at start, its setting stored, an update downloaded safely"
rm -rf "$work"
