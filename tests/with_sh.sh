#!/bin/sh
# Runs a command with another shell as /bin/sh, so that system() runs the import command through
# it: BusyBox's, the shell of most gateways, or yash, which decodes its command in the caller's
# locale. The shell is bound over /bin/sh in a mount namespace of the command's own, which goes with
# it. Where that cannot be done here, says why and exits 77, which the test takes as skipped.
# Usage: with_sh.sh SHELL COMMAND [ARGUMENT...]   (SHELL: a program on the PATH, such as busybox)
name=$1
shift
if ! shell=$(command -v "$name"); then
  echo "SKIPPED: $name is not installed (Debian's package $name)"
  exit 77
fi
if ! error=$(unshare --mount --propagation private true 2>&1); then
  echo "SKIPPED: no mount namespace of our own here: $error"
  exit 77
fi
# shellcheck disable=SC2016  # expanded by the shell in the namespace
exec unshare --mount --propagation private sh -c '
  if ! error=$(mount --bind "$0" /bin/sh 2>&1); then
    echo "SKIPPED: $0 cannot be bound over /bin/sh here: $error"
    exit 77
  fi
  if ! cmp -s "$0" /bin/sh; then
    echo "/bin/sh is not $0" >&2
    exit 1
  fi
  exec "$@"' "$shell" "$@"
