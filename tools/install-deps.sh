#!/usr/bin/env bash
# Installs what building, running and testing Mivello needs on Debian 12 / Ubuntu.
# Usage: tools/install-deps.sh [--windows]   (run as root or with sudo available)
set -euo pipefail

want_windows=0
[ "${1:-}" = "--windows" ] && want_windows=1

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-dev                     # libFuzzer targets
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev libx11-dev         # the Linux window
  libgif-dev libfreetype-dev                # picture formats, glyph rendering
  fonts-noto-cjk fonts-wqy-zenhei           # CJK fonts for captions and the icon glyph
  xdg-utils                                 # the desktop's opener for links
  xvfb xauth xdotool xclip x11-utils imagemagick   # end-to-end tests and screenshots
  desktop-file-utils appstream dpkg-dev file unzip   # package checks
  locales                                   # a comma-decimal locale for conversion tests
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "$want_windows" = 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -q i386; then
    $SUDO dpkg --add-architecture i386
    missing+=(_update_)
  fi
  for p in g++-mingw-w64-i686 wine wine32:i386 icoutils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
fi

if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update -q
  pkgs=()
  for p in "${missing[@]}"; do [ "$p" != _update_ ] && pkgs+=("$p"); done
  [ "${#pkgs[@]}" -gt 0 ] && $SUDO apt-get install -y -q --no-install-recommends "${pkgs[@]}"
fi

# A comma-decimal locale for the conversion tests and a Chinese one for the window.
for loc in de_DE zh_CN; do
  locale -a 2>/dev/null | grep -qi "^${loc}.utf-\?8$" || $SUDO localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
done
