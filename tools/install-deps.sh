#!/usr/bin/env bash
# Installs what building, running and testing Mivello needs on Debian 12 / Ubuntu.
# Usage: tools/install-deps.sh [--windows] [--arm64]   (run as root or with sudo available)
#   --windows  the MinGW-w64 compilers for both Windows builds, Wine, the PE reader
#   --arm64    the arm64 cross compiler and qemu-user for the core's arm64 tests
set -euo pipefail

want_windows=0 want_arm64=0
for flag in "$@"; do
  case "$flag" in
    --windows) want_windows=1 ;;
    --arm64) want_arm64=1 ;;
    *) echo "install-deps.sh: unknown option $flag" >&2; exit 2 ;;
  esac
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-dev                     # libFuzzer targets
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev libx11-dev libxcb1-dev   # the Linux window
  qt6-translations-l10n                     # Qt's own texts in Chinese
  libgif-dev libfreetype-dev                # picture formats, glyph rendering
  fonts-noto-cjk fonts-wqy-zenhei           # CJK fonts for captions and the icon glyph
  xdg-utils                                 # the desktop's opener for links
  xvfb xauth xdotool xclip x11-utils imagemagick   # end-to-end tests and screenshots
  dbus-daemon at-spi2-core gir1.2-atspi-2.0 python3-gi   # the window as an assistive tool sees it
  desktop-file-utils appstream dpkg-dev file unzip   # package checks
  locales                                   # a comma-decimal locale for conversion tests
)

# Listings are read whole before they are matched: under pipefail, a grep -q
# that stops early would make the writer's SIGPIPE count as "not found".
installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" = "install ok installed" ]; }

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done

# Adds a foreign architecture for its packages; apt's lists are then read anew.
add_architecture() {
  if ! grep -qx "$1" <<<"$(dpkg --print-foreign-architectures)"; then
    $SUDO dpkg --add-architecture "$1"
    missing+=(_update_)
  fi
}

if [ "$want_windows" = 1 ]; then
  windows_packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 icoutils python3-pefile)
  # 32-bit Wine where the i386 architecture can be added; whether this machine
  # can execute it is found out by trying (tools/wine.sh i686 --can-run).
  if [ "$(dpkg --print-architecture)" = amd64 ]; then
    add_architecture i386
    windows_packages+=(wine32:i386)
  fi
  for p in "${windows_packages[@]}"; do
    installed "$p" || missing+=("$p")
  done
fi

if [ "$want_arm64" = 1 ]; then
  # libc6:arm64 brings the character set modules that iconv loads at run time.
  [ "$(dpkg --print-architecture)" = arm64 ] || add_architecture arm64
  for p in g++-aarch64-linux-gnu qemu-user libc6:arm64; do
    installed "$p" || missing+=("$p")
  done
fi

if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update -q
  pkgs=()
  for p in "${missing[@]}"; do [ "$p" != _update_ ] && pkgs+=("$p"); done
  [ "${#pkgs[@]}" -gt 0 ] && $SUDO apt-get install -y -q --no-install-recommends "${pkgs[@]}"
fi

# A comma-decimal locale for the conversion tests and a Chinese one for the window.
locales=$(locale -a 2>/dev/null || true)
for loc in de_DE zh_CN; do
  grep -qi "^${loc}.utf-\?8$" <<<"$locales" || $SUDO localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
done
