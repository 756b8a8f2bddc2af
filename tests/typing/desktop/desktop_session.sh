#!/usr/bin/env bash
# Runs a desktop typing test in a session of its own: a temporary HOME (set
# before anything starts, so that nothing sees the real one), a private
# session bus, Xvfb on a free display, and with "ime" an IBus daemon of its
# own with a component folder of its own. Never the real display, bus, IBus
# or the engines installed on the machine. Exits 77 (skipped, with the
# reason printed) where a piece cannot start or the test skipped itself.
#   desktop_session.sh tap|ime TEST_PROGRAM [ARGS...]
set -euo pipefail
mode=$1
shift

if [ -z "${ZENTREL_DESKTOP_SCRATCH:-}" ]; then
  for tool in Xvfb dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
  done
  if [ "$mode" = ime ] && ! command -v ibus-daemon >/dev/null; then
    echo "SKIPPED: ibus-daemon is not installed"
    exit 77
  fi
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  export ZENTREL_DESKTOP_SCRATCH="$scratch"
  export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share"
  export XDG_CACHE_HOME="$scratch/home/.cache" XDG_RUNTIME_DIR="$scratch/run" GSETTINGS_BACKEND=keyfile
  unset DISPLAY WAYLAND_DISPLAY XDG_SESSION_TYPE IBUS_ADDRESS QT_IM_MODULE GTK_IM_MODULE XMODIFIERS
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  set +e
  dbus-run-session -- "$0" "$mode" "$@"
  status=$?
  set -e
  exit $status
fi

scratch=$ZENTREL_DESKTOP_SCRATCH
pids=()
cleanup() {
  # The engine the installer started runs from the temporary HOME: end exactly those.
  if [ "$mode" = ime ]; then
    for exe in $(find /proc/[0-9]*/exe -maxdepth 0 -lname "$XDG_DATA_HOME/zentrel/zentrel-ime" 2>/dev/null); do
      pid=${exe#/proc/}
      kill "${pid%/exe}" 2>/dev/null || true
    done
  fi
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# -noreset: a server that resets when its last client leaves refuses whoever
# connects meanwhile (a test's window started just then).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=($!)
for _ in $(seq 200); do
  [ -s "$scratch/display" ] && break
  sleep 0.05
done
if [ ! -s "$scratch/display" ]; then
  echo "SKIPPED: Xvfb did not start"
  cat "$scratch/xvfb.log"
  exit 77
fi
export DISPLAY=":$(cat "$scratch/display")"
# Qt windows show their accessibility tree and use the X11 platform.
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
# The accessibility bus, started here so that it ends with the session.
launcher=/usr/libexec/at-spi-bus-launcher
if [ -x "$launcher" ]; then
  "$launcher" --launch-immediately --a11y=1 >"$scratch/a11y.log" 2>&1 &
  pids+=($!)
fi

if [ "$mode" = ime ]; then
  # IBus reads engines only from a folder of this session: an engine that
  # the machine has installed is not one that the tests put there.
  mkdir -p "$scratch/components"
  export IBUS_COMPONENT_PATH="$scratch/components"
  export IBUS_ADDRESS="unix:path=$scratch/ibus.socket"
  ibus-daemon --address="$IBUS_ADDRESS" --panel=disable --emoji-extension=disable --config=disable \
    --cache=none 2>"$scratch/ibus.log" &
  pids+=($!)
  for _ in $(seq 200); do
    [ -S "$scratch/ibus.socket" ] && break
    sleep 0.05
  done
  if [ ! -S "$scratch/ibus.socket" ]; then
    echo "SKIPPED: the IBus daemon did not start"
    exit 77
  fi
fi

# Through a file: what the test starts detached must not hold our output open.
set +e
"$@" >"$scratch/test.log" 2>&1
status=$?
set -e
cat "$scratch/test.log"
if [ "$status" -eq 0 ] && grep -q '^\[  SKIPPED \]' "$scratch/test.log"; then
  exit 77
fi
exit "$status"
