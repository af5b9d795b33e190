# execve with no argument vector at all, which Linux turns into one empty argument; an emulator
# always passes a program name.
--- needs no_emulator perl
--- $ case $(uname -m) in x86_64) execve=59 ;; i?86 | arm*) execve=11 ;; aarch64) execve=221 ;; esac && \
      perl -e 'syscall($ARGV[0], $ARGV[1], 0, 0); exit 126' "$execve" "$tool"; echo "status $?"
Usage: triple_import devices_triple.txt
status 0
