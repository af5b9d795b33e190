# After a full read of 511 bytes, the tool looks one byte ahead, the file's second read: where
# that look fails, the read before it is handed out whole, and the read error is the next line's.
# Nothing is sent after a read error. A run of 511 z is shown <511 z>. (LeakSanitizer cannot run
# under strace.)
--- needs strace
--- a.txt: repeat 511 z
--- $ wrap="env ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
      strace -o /dev/null -e inject=read:error=EIO:when=2 -P $PWD/a.txt" && \
      { triple_import a.txt; triple_check a.txt; } | sed 's/z\{511\}/<511 z>/'
Current Dir = {dir} 
Line 1 format error: <511 z> 
Line 2 read error.
Find 0 items.
a.txt:1: error: a read error cuts the line after 511 bytes, which triple_import reads 511 at a time: it makes 1 line of them (its line 1): 1 refused line
--- stderr
triple_check: a.txt: read error at line 2: Input/output error
--- status 255 2
