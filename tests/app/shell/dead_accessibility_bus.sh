#!/usr/bin/env bash
# The window starts, without accessibility and saying so on standard error,
# when the accessibility bus it is pointed at is dead: the display's
# AT_SPI_BUS property naming a socket nobody listens on, then
# AT_SPI_BUS_ADDRESS naming one that is not there; --help works with a display. Run on a private desktop: with_desktop.sh dead_accessibility_bus.sh ZENTREL
set -euo pipefail
zentrel=$1
scratch=$(mktemp -d)
window=""
cleanup() {
  [ -n "$window" ] && kill "$window" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# A socket file that was bound and closed: connecting to it is refused.
dead="$scratch/dead-bus"
/usr/bin/python3 -c 'import socket, sys; s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.close()' "$dead"

failures=0
start_against() {
  local case=$1
  shift
  rm -rf "$HOME/.config" "$HOME/.local" "$HOME/.cache"
  # Past onboarding, so that the start's typing and accessibility work runs.
  mkdir -p "$HOME/.config/zentrel"
  echo '{"hasCompletedOnboarding": true}' >"$HOME/.config/zentrel/com.torvane.zentrel.json"
  env "$@" "$zentrel" >"$scratch/out" 2>"$scratch/err" &
  window=$!
  local shown=""
  for _ in $(seq 150); do
    kill -0 "$window" 2>/dev/null || break
    if xdotool search --onlyvisible --pid "$window" >/dev/null 2>&1; then shown=yes; break; fi
    sleep 0.1
  done
  sleep 1  # the accessibility work of the start runs after the first frame
  if ! kill -0 "$window" 2>/dev/null; then
    wait "$window" && status=0 || status=$?
    echo "FAIL ($case): the window ended with status $status" >&2
    tail -5 "$scratch/err" >&2
    failures=$((failures + 1))
  elif [ -z "$shown" ]; then
    echo "FAIL ($case): no window was shown" >&2
    failures=$((failures + 1))
  elif ! grep -q "accessibility bus cannot be reached" "$scratch/err"; then
    echo "FAIL ($case): standard error does not say that it goes on without accessibility" >&2
    tail -5 "$scratch/err" >&2
    failures=$((failures + 1))
  fi
  kill "$window" 2>/dev/null || true
  wait "$window" 2>/dev/null || true
  window=""
}

xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "unix:path=$dead"
start_against "the display's AT_SPI_BUS" -u AT_SPI_BUS_ADDRESS
start_against "AT_SPI_BUS_ADDRESS" "AT_SPI_BUS_ADDRESS=unix:path=$scratch/no-such-bus"

# With a display too, help is help.
"$zentrel" --help >"$scratch/help" && grep -q "^usage: zentrel " "$scratch/help" || { echo "FAIL: --help with a display" >&2; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "dead accessibility bus: 3 passed, 0 failed"
exit $((failures > 0))
