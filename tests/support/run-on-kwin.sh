#!/usr/bin/env bash
# Runs a test inside a headless Plasma Wayland session of its own:
#   tests/support/run-on-kwin.sh COMMAND [ARGUMENT...]
# A private session bus (with XDG_CURRENT_DESKTOP=KDE set before it starts, so that the portal
# picks its KDE back end), a private runtime and configuration folder, KWin on a virtual output
# (which also serves org.kde.kglobalaccel), and xdg-desktop-portal with xdg-desktop-portal-kde
# started by bus activation. The command runs with QT_QPA_PLATFORM=wayland.
# When the compositor cannot start here, it says why and exits 77, which CTest reports as a
# skipped test, never as a passed one.
set -uo pipefail

if [ -z "${VELMORAN_KWIN_SESSION:-}" ]; then
  export XDG_CURRENT_DESKTOP=KDE
  export VELMORAN_KWIN_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

skip() {
  echo "SKIP: no headless KWin session here: $*" >&2
  exit 77
}

kwin=$(command -v kwin_wayland) || skip "kwin_wayland is not installed"
[ -x /usr/libexec/xdg-desktop-portal ] || skip "xdg-desktop-portal is not installed"

session=$(mktemp -d /tmp/velmoran-kwin.XXXXXX) || skip "no temporary folder"
finish() {
  kill "$kwin_pid" 2>/dev/null
  wait "$kwin_pid" 2>/dev/null
  # The document portal mounts a file system in the runtime folder.
  fusermount3 -u -z "$XDG_RUNTIME_DIR/doc" 2>/dev/null
  rm -rf "$session"
}
kwin_pid=
trap finish EXIT
chmod 700 "$session"
mkdir -p "$session/runtime" "$session/config" "$session/data" "$session/bin"
chmod 700 "$session/runtime"
export XDG_RUNTIME_DIR="$session/runtime"
export XDG_CONFIG_HOME="$session/config"
export XDG_DATA_HOME="$session/data"

# The packaged binary carries file capabilities, which the kernel refuses to grant to root in
# a container and which an unprivileged copy does not need on a virtual output.
cp "$kwin" "$session/bin/kwin_wayland" || skip "cannot copy $kwin"
export KWIN_WAYLAND_NO_PERMISSION_CHECKS=1
"$session/bin/kwin_wayland" --virtual --no-lockscreen --socket velmoran-test \
  --width 1280 --height 800 >"$session/kwin.log" 2>&1 &
kwin_pid=$!
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/velmoran-test" ] && break
  kill -0 "$kwin_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/velmoran-test" ]; then
  tail -5 "$session/kwin.log" >&2
  skip "kwin_wayland --virtual did not open its socket"
fi
export WAYLAND_DISPLAY=velmoran-test
export QT_QPA_PLATFORM=wayland
unset DISPLAY
# Services the bus starts later (the portal and its KDE back end) need the display too.
dbus-update-activation-environment WAYLAND_DISPLAY XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP \
  XDG_CONFIG_HOME XDG_DATA_HOME QT_QPA_PLATFORM || skip "cannot pass the display to the bus"

"$@"
