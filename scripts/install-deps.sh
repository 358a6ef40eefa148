#!/usr/bin/env bash
# Installs the Debian packages Velmoran needs, in sets:
#   --build    compiling both programs
#   --run      what the programs use at run time beyond the libraries they link (fonts of the
#              font choices, Wayland, CalDAV accounts); debian/control depends on or recommends
#              each of them, which tests/packaging checks
#   --test     the suites: a display, a session bus, the peer programs and servers they drive,
#              a headless Wayland desktop
#   --fuzz     the fuzz build (clang and its libFuzzer runtime)
#   --package  building the Debian package and checking it
# Without a set it installs build, run and test. Idempotent: does nothing when everything is
# present. As root it runs apt-get; otherwise it names what is missing and stops.
set -euo pipefail

build_packages=(
  cmake make g++ pkg-config clang-format
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-base-dev-tools
  libical-dev libicu-dev libcanberra-dev libxcb1-dev libxcb-keysyms1-dev
  libxcb-xtest0-dev libglib2.0-dev
)
run_packages=(
  fonts-lato fonts-urw-base35 qt6-wayland vdirsyncer libsecret-tools qt6-translations-l10n
)
test_packages=(
  xvfb xauth dbus todoman khal appstream desktop-file-utils trayer openbox groff-base
  fonts-droid-fallback python3 python3-dateutil
  khard radicale gnome-keyring
  openssl
  # The shells whose completions the packaging suite drives.
  zsh fish
  kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde qtwayland5 fuse3
  # The Wayland client library, wayland-scanner and the protocols, for the tests' launcher.
  libwayland-dev libwayland-bin wayland-protocols
  dconf-cli dconf-service gnome-settings-daemon-common
  # The screen reader's view: the AT-SPI bus and the Python binding Orca reads it with.
  at-spi2-core python3-pyatspi
)
fuzz_packages=(clang libclang-rt-14-dev)
package_packages=(debhelper dpkg-dev lintian fakeroot)

packages=()
[ $# -eq 0 ] && set -- --build --run --test
for set in "$@"; do
  case "$set" in
    --build) packages+=("${build_packages[@]}") ;;
    --run) packages+=("${run_packages[@]}") ;;
    --test) packages+=("${test_packages[@]}") ;;
    --fuzz) packages+=("${fuzz_packages[@]}") ;;
    --package) packages+=("${package_packages[@]}") ;;
    --list-run) printf '%s\n' "${run_packages[@]}"; exit 0 ;;
    *) echo "install-deps.sh: unknown set $set (--build, --run, --test, --fuzz, --package)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Velmoran needs these Debian packages, which are not installed:" >&2
  echo "  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
