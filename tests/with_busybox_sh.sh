#!/bin/sh
# Runs a command with BusyBox's sh as /bin/sh, the shell of most gateways, so that system() runs
# the import command through it: bound over /bin/sh in a mount namespace of the command's own,
# which goes with it. Where that cannot be done here, says why and exits 77, which the test takes
# as skipped.
# Usage: with_busybox_sh.sh COMMAND [ARGUMENT...]
if ! busybox=$(command -v busybox); then
  echo "SKIPPED: BusyBox is not installed (Debian's package busybox)"
  exit 77
fi
if ! error=$(unshare --mount --propagation private true 2>&1); then
  echo "SKIPPED: no mount namespace of our own here: $error"
  exit 77
fi
# shellcheck disable=SC2016  # expanded by the shell in the namespace
exec unshare --mount --propagation private sh -c '
  if ! error=$(mount --bind "$0" /bin/sh 2>&1); then
    echo "SKIPPED: BusyBox cannot be bound over /bin/sh here: $error"
    exit 77
  fi
  if ! /bin/sh --help 2>&1 | grep -q BusyBox; then
    echo "/bin/sh is not BusyBox'\''s" >&2
    exit 1
  fi
  exec "$@"' "$busybox" "$@"
