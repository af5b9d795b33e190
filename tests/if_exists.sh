#!/bin/sh
# Runs COMMAND, or skips (77) saying WHY where FILE is missing when the test runs.
# Usage: if_exists.sh FILE WHY COMMAND [ARGUMENT...]
[ -e "$1" ] || { echo "SKIPPED: $2"; exit 77; }
shift 2
exec "$@"
