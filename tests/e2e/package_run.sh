#!/usr/bin/env bash
# The Debian package as a user gets it: cpack -G DEB from the built tree; its control fields
# and file list; lintian (no error); the unpacked AppStream and desktop files validate; the
# manual pages render; and the unpacked program, run from its own usr/bin with no LEXO_HOME,
# takes its data from the unpacked usr/share/lexo, seeds ~/.local/share/lexo and shows its
# main window under Xvfb without registering a second menu entry for the user.
# Skipped (77) where the Debian packaging tools are missing.
set -u
build=$1
source=$2
cpack=${3:-cpack}
for tool in dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "package_run: SKIPPED, $tool is missing (not a Debian build machine)"; exit 77; }
done
work=$(mktemp -d)
fail() { echo "package_run: $*"; [ -f "$work/log" ] && tail -40 "$work/log"; rm -rf "$work"; exit 1; }
need() { command -v "$1" >/dev/null || fail "$1 is missing: run scripts/setup.sh"; }
need lintian; need appstreamcli; need desktop-file-validate; need man

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/log" 2>&1 || fail "cpack failed"
debs=("$work"/out/lexo_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one lexo_*.deb, got: ${debs[*]}"
deb=${debs[0]}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$version" ] || fail "no version in CPackConfig.cmake"
[ "$(basename "$deb")" = "lexo_${version}_$(dpkg --print-architecture).deb" ] || fail "unexpected file name $(basename "$deb")"

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = lexo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), project $version"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' >"$work/depends"
# From the linker (dpkg-shlibdeps) and from us (what is loaded or started at run time).
for dep in libc6 libstdc++6 libqt6widgets6 libqt6multimedia6 libqt6texttospeech6 \
           qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng \
           gstreamer1.0-plugins-good gstreamer1.0-pulseaudio qt6-translations-l10n xdg-utils; do
  grep -qxF "$dep" "$work/depends" || fail "Depends lacks $dep: $depends"
done
dpkg-deb -I "$deb" >"$work/info" || fail "dpkg-deb -I failed"
# Triggers of the desktop database, MIME and icon caches do the work; no scripts of our own.
for script in postinst postrm preinst prerm; do
  grep -q " $script\b" "$work/info" && fail "the package carries a $script script"
done

# File list: owned by root, everything under /usr, nothing from the build that is not the program.
dpkg-deb -c "$deb" >"$work/contents" || fail "dpkg-deb -c failed"
awk '$2 != "root/root"' "$work/contents" | grep . && fail "files not owned by root"
awk '{print $NF}' "$work/contents" | sed 's|^\./|/|' >"$work/files"
grep -Ev '^/(usr(/.*)?)?/?$' "$work/files" && fail "files outside /usr"
grep -E '_tests$|_bench$|/mime/(mime\.cache|application/)|/usr/local/' "$work/files" && fail "files that do not belong"
for f in /usr/bin/lexo /usr/bin/lexo-tool \
         /usr/share/lexo/WorkDir/sound.wav /usr/share/lexo/Lexo.html /usr/share/lexo/fonts/LICENSE-DejaVu.txt \
         /usr/share/applications/lexo.desktop /usr/share/metainfo/cz.lexo.Lexo.metainfo.xml \
         /usr/share/mime/packages/lexo.xml /usr/share/icons/hicolor/48x48/apps/lexo.png \
         /usr/share/icons/hicolor/256x256/apps/lexo.png /usr/share/icons/hicolor/scalable/apps/lexo.svg \
         /usr/share/man/man1/lexo.1.gz /usr/share/man/man1/lexo-tool.1.gz \
         /usr/share/doc/lexo/copyright /usr/share/doc/lexo/changelog.gz; do
  grep -qxF "$f" "$work/files" || fail "the package lacks $f"
done
# Every file of the shipped data must reach the package.
(cd "$source/data/shipped" && find . -type f | sed 's|^\./||') | while read -r f; do
  grep -qxF "/usr/share/lexo/$f" "$work/files" || { echo "missing /usr/share/lexo/$f"; exit 1; }
done || fail "shipped data missing from the package"

lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" >"$work/lintian" 2>&1
lintian_status=$?
grep -E '^E: ' "$work/lintian" && fail "lintian reports errors"
[ "$lintian_status" = 0 ] || { cat "$work/lintian"; fail "lintian failed ($lintian_status)"; }
grep -E '^W: ' "$work/lintian" | sed 's/^/package_run: lintian /'

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
appstreamcli validate --no-net "$root/usr/share/metainfo/cz.lexo.Lexo.metainfo.xml" >"$work/log" 2>&1 \
  || fail "appstreamcli validate"
desktop-file-validate "$root/usr/share/applications/lexo.desktop" >"$work/log" 2>&1 || fail "desktop-file-validate"
[ -s "$work/log" ] && fail "desktop-file-validate complains"
grep -qx 'Exec=lexo %f' "$root/usr/share/applications/lexo.desktop" || fail "the menu entry does not start lexo from PATH"
for page in lexo lexo-tool; do
  MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" >"$work/$page.txt" 2>"$work/log" \
    || fail "man $page"
  [ -s "$work/log" ] && fail "man $page warns"
  grep -q "^JMÉNO" "$work/$page.txt" || fail "man $page has no name section"
done

# The unpacked program as a user on a fresh account starts it: no LEXO_HOME, nothing of the build.
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "package_run: no xvfb-run or xdotool, program not started"; rm -rf "$work"; exit 0; }
unset LEXO_HOME LEXO_CONFIG_HOME XDG_CONFIG_HOME XDG_DATA_HOME
export HOME="$work/user" XDG_DATA_DIRS="$root/usr/share:/usr/share"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export LEXO_E2E_WINDOWS="$(cd "$(dirname "$0")" && pwd)/drive_helpers.sh"
. "$LEXO_E2E_WINDOWS"
cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -u
"$1" >"$2/log" 2>&1 &
pid=$!
. "$LEXO_E2E_WINDOWS"
waitfor '^Lexo [0-9.]+$' 150 >/dev/null || end "no main window"
put_tip_away
# The main window shows before start-up has finished; the program is fully up once it
# catches SIGTERM (bit 15 of SigCgt). Then it is ended as a desktop session ends it. A
# SIGTERM in the first moments after that can go unanswered, so it is repeated.
for _ in $(seq 1 300); do
  caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
  [ -n "$caught" ] && (( (16#$caught >> 14) & 1 )) && break
  sleep 0.1
done
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  kill -TERM "$pid"; sleep 0.4
done
kill -0 "$pid" 2>/dev/null && { echo "SIGTERM did not end the program"; kill -KILL "$pid"; exit 1; }
wait "$pid" || { status=$?; echo "exit status $status after SIGTERM"; exit 1; }
DRIVE
chmod +x "$work/drive.sh"
under_xvfb "$work/drive.sh" "$root/usr/bin/lexo" "$work" \
  >"$work/drive.log" 2>&1 || { cat "$work/drive.log"; fail "the unpacked program under Xvfb"; }
folder="$HOME/.local/share/lexo"
(cd "$root/usr/share/lexo" && find . -type f) | while read -r f; do
  cmp -s "$root/usr/share/lexo/$f" "$folder/$f" || { echo "not seeded: $f"; exit 1; }
done || fail "the program folder was not seeded from the unpacked data"
[ -d "$folder/Temp" ] || fail "no Temp folder in $folder"
[ -e "$HOME/.local/share/applications/lexo.desktop" ] && fail "a second menu entry was registered beside the installed one"
[ -f "$HOME/.config/lexo/registry.reg" ] || fail "no settings in ~/.config/lexo"
echo "package_run: $(basename "$deb"): control fields, $(wc -l <"$work/files") entries, lintian $(grep -c '^W: ' "$work/lintian") warning(s), metadata valid, unpacked program started"
rm -rf "$work"
