#!/usr/bin/env bash
# scripts/gateway-bus: passes the command's status on, starts the stand-in on the first call and
# stops it with the bus, refuses a second bus while one runs, and leaves no socket behind.
# Usage: gateway_bus_test.sh TOOLS_DIR
set -uo pipefail
bus=("$(cd "$(dirname "$0")/.." && pwd)/scripts/gateway-bus" --tools "$1")
failed=0
check() {  # check WHAT COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}
# shellcheck disable=SC2317  # called through check, which shellcheck does not follow
gone() {  # gone PID: the process has ended, or only waits to be reaped, within 5 s
  for _ in $(seq 50); do
    grep -qs '^State:[[:space:]]*[^Z]' "/proc/$1/status" || return 0
    sleep 0.1
  done
  return 1
}
# shellcheck source=/dev/null
. "$1/gateway-bus.env"

"${bus[@]}" -- sh -c 'exit 7'
check "passes the command's status on" [ $? = 7 ]

pids=$(mktemp)
# shellcheck disable=SC2016  # expanded by the inner shell, on the bus
"${bus[@]}" -- bash -c '
  dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply=literal --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID string:"$CONFIGMANAGER_NAME" \
    >/dev/null 2>&1 && echo "not started on demand"
  dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply --dest="$CONFIGMANAGER_NAME" "$CONFIGMANAGER_PATH" \
    "$CONFIGMANAGER_INTERFACE.get_config" string:none >/dev/null 2>&1
  dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply=literal --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID string:"$CONFIGMANAGER_NAME" |
    awk "{print \$2}"
  "$0" -- true 2>/dev/null
  echo "second bus: $?"' "${bus[0]}" --tools "$1" >"$pids"
check "stand-in started on the first call" grep -qE '^[0-9]+$' "$pids"
check "no stand-in before" bash -c "! grep -q 'not started' '$pids'"
check "refuses a second bus" grep -q 'second bus: 1' "$pids"
check "stand-in stopped with the bus" gone "$(grep -E '^[0-9]+$' "$pids" || echo 0)"
check "socket removed" [ ! -e "$GATEWAY_BUS_SOCKET" ]
rm -f "$pids"
exit $failed
