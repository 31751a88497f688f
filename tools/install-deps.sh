#!/usr/bin/env bash
# Installs with apt what building, running and testing Mivello needs on
# Debian 12 / Ubuntu, and says what before it does; what is there already is
# left as it is.
# Usage: tools/install-deps.sh [--run] [--windows] [--ports] [--port ARCH]   (as root or with sudo)
#   --run        only what building and running the program needs
#   --windows    the MinGW-w64 compilers for both Windows builds, Wine, the PE reader, msitools
#   --ports      the cross compilers and qemu-user for the core on the other architectures
#                that this release carries (verify/check-port.sh; riscv64 runs in a Debian 13 chroot)
#   --port ARCH  only what verify/check-port.sh ARCH needs, nothing of the program's own
set -euo pipefail

want_base=1 want_tests=1 want_windows=0 ports=()
while [ $# -gt 0 ]; do
  case "$1" in
    --run) want_tests=0 ;;
    --windows) want_windows=1 ;;
    --ports) mapfile -t -O "${#ports[@]}" ports < <(bash "$(dirname "$0")/../verify/ports.sh" here) ;;
    --port) want_base=0 want_tests=0 ports+=("${2:?--port needs an architecture}"); shift ;;
    *) echo "install-deps.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

# Building and running the program.
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libx11-dev libxcb-xinput-dev libfontconfig-dev   # the Linux window
  libxkbcommon-dev                          # what Qt's CMake files look for beside the window
  qt6-wayland                               # the window on Wayland without XWayland
  libgif-dev                                # the badges' GIF decoder
  qt6-translations-l10n                     # Qt's own texts in Chinese
  fonts-noto-cjk                            # a CJK font for the captions
  xdg-utils                                 # the desktop's opener for links
  libpng-dev                                # the icon tool's theme icons
)
[ "$want_base" = 1 ] || packages=()
# Testing it, and the tools that draw its pictures.
test_packages=(
  git
  clang libclang-rt-dev                     # libFuzzer targets
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev fonts-wqy-zenhei          # the picture tool's glyphs
  xvfb xauth xdotool xclip x11-utils imagemagick   # end-to-end tests and screenshots
  dbus-daemon at-spi2-core gir1.2-atspi-2.0 python3-gi   # the window as an assistive tool sees it
  sway grim                                 # a headless Wayland compositor and its screenshots
  qt6ct                                     # a platform theme with a font of its own
  desktop-file-utils appstream dpkg-dev file unzip   # package checks
  debhelper lintian                         # the Debian source package and its checks
  mmdebstrap                                # throwaway chroots of the other Debian releases
  ccache                                    # the test command's compiler cache
  locales                                   # a comma-decimal locale for conversion tests
)
[ "$want_tests" = 1 ] && packages+=("${test_packages[@]}")

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
  windows_packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 icoutils python3-pefile
                    wixl msitools)
  # 32-bit Wine where the i386 architecture can be added; whether this machine
  # can execute it is found out by trying (verify/wine.sh i686 --can-run).
  if [ "$(dpkg --print-architecture)" = amd64 ]; then
    add_architecture i386
    windows_packages+=(wine32:i386)
  fi
  for p in "${windows_packages[@]}"; do
    installed "$p" || missing+=("$p")
  done
fi

if [ "${#ports[@]}" -gt 0 ]; then
  # The core's tests run in a sysroot of the port's own libraries that
  # verify/port-sysroot.sh unpacks: nothing of another architecture is installed.
  port_packages=(cmake ninja-build googletest qemu-user
                 xdg-utils locales)   # the launcher's tests use the real opener; a comma-decimal locale
  for arch in "${ports[@]}"; do
    port_packages+=("g++-$(bash "$(dirname "$0")/../verify/ports.sh" triple "$arch")")
  done
  for p in "${port_packages[@]}"; do
    installed "$p" || missing+=("$p")
  done
fi

if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO bash "$(dirname "$0")/../verify/apt-update.sh"
  pkgs=()
  for p in "${missing[@]}"; do [ "$p" != _update_ ] && pkgs+=("$p"); done
  if [ "${#pkgs[@]}" -gt 0 ]; then
    echo "-- installing with apt: ${pkgs[*]}"
    $SUDO apt-get install -y -q --no-install-recommends "${pkgs[@]}"
  fi
fi

# A comma-decimal locale for the conversion tests and a Chinese one for the window.
locales=$(locale -a 2>/dev/null || true)
[ "$want_tests" = 1 ] || [ "${#ports[@]}" -gt 0 ] || exit 0
for loc in de_DE zh_CN; do
  if ! grep -qi "^${loc}.utf-\?8$" <<<"$locales"; then
    echo "-- making the locale $loc.UTF-8"
    $SUDO localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
  fi
done
