#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests use. Idempotent and
# quiet when nothing is missing.
set -euo pipefail

PACKAGES=(
  # toolchain and test frameworks
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # Qt 6 and what its modules need at run time
  qt6-base-dev qt6-charts-dev qt6-multimedia-dev qt6-speech-dev qt6-declarative-dev
  qt6-5compat-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins libgl-dev
  # the XML reader of kvtml files
  libexpat1-dev
  gstreamer1.0-plugins-good gstreamer1.0-pulseaudio pulseaudio
  speech-dispatcher speech-dispatcher-espeak-ng qt6-speech-speechd-plugin qt6-speech-flite-plugin
  # shipped data sources
  dict-freedict-eng-ces fonts-dejavu-core
  # whole-program and output checks
  xvfb xauth xdotool imagemagick poppler-utils
  # Debian package, its metadata and manual pages
  dpkg-dev lintian appstream desktop-file-utils scdoc
  # the mail program is reached through xdg-email
  xdg-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=()
if [ "$(id -u)" -ne 0 ]; then SUDO=(sudo); fi
echo "Instaluji chybějící balíčky: ${missing[*]}"
"${SUDO[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
