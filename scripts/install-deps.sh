#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent: does nothing when
# everything is present. As root it runs apt-get; otherwise it names what is missing and stops.
# With --fuzz it also installs what the fuzz build needs (clang and its libFuzzer runtime).
set -euo pipefail

packages=(
  cmake make g++ pkg-config clang-format
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-base-dev-tools
  libical-dev libicu-dev libcanberra-dev libxcb1-dev libxcb-keysyms1-dev
  libxcb-xtest0-dev libglib2.0-dev
  xvfb xauth dbus todoman khal appstream desktop-file-utils trayer openbox
  fonts-droid-fallback fonts-lato fonts-urw-base35 python3 python3-dateutil
  khard vdirsyncer radicale gnome-keyring libsecret-tools
  openssl
  kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde qt6-wayland qtwayland5 fuse3
  # The Wayland client library, wayland-scanner and the protocols, for the tests' launcher.
  libwayland-dev libwayland-bin wayland-protocols
  dconf-cli dconf-service gnome-settings-daemon-common
)

if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

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
