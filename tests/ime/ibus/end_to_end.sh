#!/usr/bin/env bash
# Runs zentrel-ime under a private session bus and IBus daemon, with HOME in a
# temporary folder (set before the bus starts, so that nothing it activates
# sees the real one), and runs COMMAND against it. With --display, a private
# X server (Xvfb) runs as well and applications find IBus through their
# toolkit's IBus module. Exits 77 (skipped) when a piece cannot start.
#   end_to_end.sh [--display] ZENTREL_IME COMMAND [ARGS...]
set -euo pipefail
display=no
if [ "${1:-}" = --display ]; then
  display=yes
  shift
fi
ime=$1
shift

skip() {
  echo "skipped: $*" >&2
  exit 77
}

if [ -z "${ZENTREL_E2E_SCRATCH:-}" ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  export ZENTREL_E2E_SCRATCH="$scratch"
  export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share"
  export XDG_CACHE_HOME="$scratch/home/.cache" XDG_RUNTIME_DIR="$scratch/run"
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  [ "$display" = yes ] && set -- --display "$ime" "$@" || set -- "$ime" "$@"
  status=0
  dbus-run-session -- "$0" "$@" || status=$?
  exit "$status"
fi

scratch=$ZENTREL_E2E_SCRATCH
daemon=""
xserver=""
xim=""
trap '[ -n "$daemon" ] && kill "$daemon" 2>/dev/null; [ -n "$xserver" ] && kill "$xserver" 2>/dev/null; wait 2>/dev/null || true' EXIT

if [ "$display" = yes ]; then
  command -v Xvfb >/dev/null || skip "Xvfb is not installed"
  # Xvfb picks a free display number and writes it to descriptor 3.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  xserver=$!
  for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    kill -0 "$xserver" 2>/dev/null || break
    sleep 0.05
  done
  [ -s "$scratch/display" ] || skip "Xvfb did not start: $(tail -n 3 "$scratch/xvfb.log")"
  export DISPLAY=":$(head -n 1 "$scratch/display")"
  # Both toolkits reach IBus through their own modules; nothing else is asked of the session.
  export GTK_IM_MODULE=ibus QT_IM_MODULE=ibus QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory
  # Other X programs (xterm) reach it through its XIM server.
  export XMODIFIERS=@im=ibus
  xim=--xim
fi

mkdir -p "$scratch/components"
"$ime" --xml > "$scratch/components/zentrel.xml"
export IBUS_COMPONENT_PATH="$scratch/components"
export IBUS_ADDRESS="unix:path=$scratch/ibus.socket"

ibus-daemon --address="$IBUS_ADDRESS" --panel=disable --emoji-extension=disable --config=disable \
  --cache=none --single $xim &
daemon=$!
for _ in $(seq 100); do
  [ -S "$scratch/ibus.socket" ] && break
  sleep 0.05
done
[ -S "$scratch/ibus.socket" ] || skip "ibus-daemon did not start"
"$@"
