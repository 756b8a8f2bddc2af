#!/usr/bin/env bash
# Runs a command on a private desktop: its own X server (Xvfb), session bus
# and accessibility bus, with HOME and the XDG folders in a fresh temporary
# folder, so nothing of the real session or home is touched.
#   with_desktop.sh COMMAND [ARGS...]
# The command sees ZENTREL_TEST_HOME. Exits 77 (skipped) when a piece is missing.
# ZENTREL_DESKTOP_SCREEN sets the screen (1400x900x24 by default).
set -euo pipefail

for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed" >&2
    exit 77
  fi
done

scratch=$(mktemp -d)
cleanup() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

export ZENTREL_TEST_HOME="$scratch/home"
mkdir -p "$ZENTREL_TEST_HOME" "$scratch/run"
chmod 700 "$scratch/run"
export HOME="$ZENTREL_TEST_HOME"
export XDG_RUNTIME_DIR="$scratch/run"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
export GSETTINGS_BACKEND=keyfile
unset SESSION_MANAGER WAYLAND_DISPLAY

# -noreset: a server that resets when its last client leaves refuses whoever
# connects meanwhile (a test's window started just then).
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 "${ZENTREL_DESKTOP_SCREEN:-1400x900x24}" -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
if [ ! -s "$scratch/display" ]; then
  echo "skipped: Xvfb did not start" >&2
  exit 77
fi
export DISPLAY=":$(head -n1 "$scratch/display")"

dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  launcher=$!
  "$@"
  status=$?
  kill $launcher 2>/dev/null
  exit $status
' with-desktop "$@"
