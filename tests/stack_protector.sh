#!/bin/sh
# The gateway start-up's stack protector, through old_glibc_start_test, which is built as the tool
# is (COMMAND runs it, through its emulator):
#   smash  a smashed buffer ends the program with the C library's message and SIGABRT (134)
#   guard  the guard is random and never 0
# Usage: stack_protector.sh smash|guard COMMAND...
what=$1 && shift
case $what in
  smash)
    # The C library writes its message to the terminal unless told to take standard error.
    out=$(LIBC_FATAL_STDERR_=1 "$@" smash 2>&1)
    status=$?
    printf '%s\nexit status %s\n' "$out" "$status"
    case $out in *'*** stack smashing detected ***'*) ;; *) exit 1 ;; esac
    [ "$status" = 134 ]
    ;;
  guard)
    a=$("$@" guard) && b=$("$@" guard) && echo "guards: $a $b" &&
      [ "$a" != 0 ] && [ "$b" != 0 ] && [ "$a" != "$b" ]
    ;;
  *) echo "usage: stack_protector.sh smash|guard COMMAND..." >&2 && exit 2 ;;
esac
