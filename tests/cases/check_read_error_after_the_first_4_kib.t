# triple_check reads the first 4 KiB of a file before its lines: a read error past them is still
# the tool's line, and said as one. The second read of the file fails: the line that holds its
# byte 4097. Nothing is sent after a read error.
--- needs strace
--- a.txt: awk 'BEGIN { for (i = 0; i < 600; i++) printf "[k%03d,b,c]\n", i }'
--- $ wrap="env ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
      strace -o /dev/null -e inject=read:error=EIO:when=2 -P $PWD/a.txt" && \
      { triple_import a.txt | grep -v '^Import device'; triple_check a.txt; }
Current Dir = {dir} 
Line 373 read error.
Find 372 items.
--- stderr
triple_check: a.txt: read error at line 373: Input/output error
--- status 255 2
