#!/usr/bin/env bash
# scripts/gateway-bus: passes the command's status on, starts the stand-in on the first call and
# stops it with the bus, gives two runs at once a bus each, and leaves the machine's /tmp as it
# was. Exits 77 where gateway-bus can have no namespace or no stand-in.
# Usage: gateway_bus_test.sh [--tools DIR]
# shellcheck disable=SC2016,SC2317  # the inner scripts expand on the bus; check runs functions
set -uo pipefail
bus=("$(cd "$(dirname "$0")/.." && pwd)/scripts/gateway-bus" "$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }  # WHAT COMMAND...
gone() {  # gone PID: the process has ended, or only waits to be reaped, within 5 s
  for _ in $(seq 50); do grep -qs '^State:[[:space:]]*[^Z]' "/proc/$1/status" || return 0; sleep 0.1; done
  return 1
}
# The folder of the gateway's own socket.
machine_tmp() { ls -la --time-style=full-iso /tmp/var/run/mbusd 2>&1; }
before=$(machine_tmp)

"${bus[@]}" -- sh -c 'exit 7'
status=$?
[ "$status" = 77 ] && exit 77
check "passes the command's status on" [ "$status" = 7 ]

# The stand-in's process before and after the first call to its name.
"${bus[@]}" -- bash -c '
  pid() {
    dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply=literal --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
      string:"$CONFIGMANAGER_NAME" 2>/dev/null | awk "{print \$2}"
  }
  echo "before: $(pid)"
  dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply --dest="$CONFIGMANAGER_NAME" \
    "$CONFIGMANAGER_PATH" "$CONFIGMANAGER_INTERFACE.get_config" string:none >/dev/null 2>&1
  pid
  echo written >/tmp/gateway-bus-test-$$' >"$work/pids"
pid=$(grep -E '^[0-9]+$' "$work/pids")
check "no stand-in before" grep -qx "before: " "$work/pids"
check "stand-in started on the first call" [ -n "$pid" ]
check "stand-in stopped with the bus" gone "${pid:-0}"

# Two runs at once: each stores its own value, waits until the other has stored its own, and
# must read back its own.
on_its_own_bus='
  call() {
    dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply=literal --dest="$CONFIGMANAGER_NAME" \
      "$CONFIGMANAGER_PATH" "$CONFIGMANAGER_INTERFACE.$@"
  }
  call set_config string:"$DEVICE_LIST_KEY" string:"[[\"$1\",\"b\",\"c\"]]" >/dev/null
  touch "$0.$1"
  for _ in $(seq 100); do [ -e "$0.$2" ] && break; sleep 0.1; done
  call get_config string:"$DEVICE_LIST_KEY"'
"${bus[@]}" -- bash -c "$on_its_own_bus" "$work/stored" one two >"$work/one" 2>&1 &
"${bus[@]}" -- bash -c "$on_its_own_bus" "$work/stored" two one >"$work/two" 2>&1
wait $!
check "two runs at once: the first reads its own value" grep -q '"one"' "$work/one"
check "two runs at once: the second reads its own value" grep -q '"two"' "$work/two"
check "two runs at once: both stored" cat "$work/stored.one" "$work/stored.two"

check "the machine's socket folder is as it was" [ "$(machine_tmp)" = "$before" ]
check "what the command wrote to /tmp stayed in its namespace" \
  bash -c "! ls /tmp/gateway-bus-test-* >/dev/null 2>&1"
exit $failed
