#!/usr/bin/env bash
# Runs zentrel-ime under a private session bus and IBus daemon, with HOME in a
# temporary folder (set before the bus starts, so that nothing it activates
# sees the real one), and drives it with the test client.
#   end_to_end.sh ZENTREL_IME TEST_CLIENT
set -euo pipefail
ime=$1
client=$2

if [ -z "${ZENTREL_E2E_SCRATCH:-}" ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  export ZENTREL_E2E_SCRATCH="$scratch"
  export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share"
  export XDG_CACHE_HOME="$scratch/home/.cache" XDG_RUNTIME_DIR="$scratch/run"
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  dbus-run-session -- "$0" "$@"
  exit $?
fi

scratch=$ZENTREL_E2E_SCRATCH
daemon=""
trap '[ -n "$daemon" ] && kill "$daemon" 2>/dev/null; wait 2>/dev/null || true' EXIT

mkdir -p "$scratch/components"
"$ime" --xml > "$scratch/components/zentrel.xml"
export IBUS_COMPONENT_PATH="$scratch/components"
export IBUS_ADDRESS="unix:path=$scratch/ibus.socket"

ibus-daemon --address="$IBUS_ADDRESS" --panel=disable --emoji-extension=disable --config=disable \
  --cache=none --single &
daemon=$!
for _ in $(seq 100); do
  [ -S "$scratch/ibus.socket" ] && break
  sleep 0.05
done
"$client"
