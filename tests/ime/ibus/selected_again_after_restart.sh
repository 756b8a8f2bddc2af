#!/usr/bin/env bash
# Run by desktop_session.sh ime: an engine registered by zentrel-ime for one
# user, first of IBus's preload engines as selecting it leaves it, is the
# selected engine once it has registered, and again once a new daemon runs
# (as after `ibus restart` or in a new session). The new daemon is started
# here: IBus's own restart sometimes aborts on its way out.
#   selected_again_after_restart.sh ZENTREL_IME
set -euo pipefail
ime=$1
engine=com.torvane.zentrel.ime
command -v ibus >/dev/null || { echo "[  SKIPPED ] the ibus command is not installed"; exit 0; }
gsettings set org.freedesktop.ibus.general preload-engines "['$engine', 'xkb:us::eng']" ||
  { echo "[  SKIPPED ] IBus's settings schema is not installed"; exit 0; }

"$ime" &
registering=$!
daemon=""
trap 'kill $registering $daemon 2>/dev/null || true' EXIT

# Waits up to 20 s (a loaded machine) for IBus to name the engine as the selected one.
selected() {
  for _ in $(seq 80); do
    [ "$(ibus engine 2>/dev/null)" = "$engine" ] && return 0
    sleep 0.25
  done
  echo "FAILED: $1: IBus selects \"$(ibus engine 2>&1)\", not $engine"
  exit 1
}

selected "after registering"
ibus exit >/dev/null 2>&1 || true
for _ in $(seq 100); do
  ibus engine >/dev/null 2>&1 || break
  sleep 0.1
done
ibus-daemon --address="$IBUS_ADDRESS" --panel=disable --emoji-extension=disable --config=disable --cache=none \
  2>/dev/null &
daemon=$!
selected "with a new daemon"
echo "passed"
