#!/usr/bin/env bash
# scripts/gateway-bus: starts on a stale socket, refuses a second bus, passes the command's status
# on and leaves nothing running behind.
# Usage: gateway_bus_test.sh CONFIGMANAGER
set -uo pipefail
helper=$(cd "$(dirname "$0")/.." && pwd)/scripts/gateway-bus
configmanager=$1
socket=/tmp/var/run/mbusd/mbusd_socket
failed=0
check() {  # check WHAT COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}

# A socket file that nothing listens on any more.
mkdir -p "$(dirname "$socket")"
python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$socket"
check "starts over a stale socket" "$helper" --log /dev/null -- true

inner=$(mktemp)
"$helper" --configmanager "$configmanager" --log /dev/null -- \
  bash -c 'echo "$CONFIGMANAGER_PID $$" >"$0.pids"; "$1" -- true 2>"$0"; echo "$?" >>"$0"' \
  "$inner" "$helper"
check "refuses a second bus" grep -q 'a bus already answers' "$inner"
check "second bus fails" [ "$(tail -1 "$inner")" = 1 ]
read -r configmanager_pid _ <"$inner.pids"
check "stand-in stopped" bash -c "! kill -0 $configmanager_pid 2>/dev/null"
check "socket removed" [ ! -e "$socket" ]

"$helper" --log /dev/null -- sh -c 'exit 7'
check "passes the command's status on" [ $? = 7 ]
check "socket removed after a failure" [ ! -e "$socket" ]
rm -f "$inner" "$inner.pids"
exit $failed
