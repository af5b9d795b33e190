# A line of 511 bytes before its line break: the line break alone is the next line. Field 3 open
# at the end of a cut read is refused, and the rest of its line is a line of its own; the same
# 511 bytes at the very end of the file are whole. A triple closed within the first 511 bytes
# stands. Runs of padding are shown <N p>.
--- exact.txt: printf '#%s\n[a,b,c]\n' "$(repeat 510 p)"
--- cut.txt: printf '%s[a,b,cd]\n' "$(repeat 505 p)"
--- at_the_end.txt: printf '%s[a,b,c' "$(repeat 505 p)"
--- closed.txt: printf '[a,b,c]%s\n' "$(repeat 595 p)"
--- $ for file in exact.txt cut.txt at_the_end.txt closed.txt; do triple_import "$file" | sed 1d; done | \
      sed 's/p\{505\}/<505 p>/; s/p\{91\}/<91 p>/'
Line 2 format error: 
 
Import device: [a b c] 
Find 1 items.
dbus-send stand-in ran
Line 1: get triple error: <505 p>[a,b,c 
Line 2 format error: d]
 
Find 0 items.
Import device: [a b c] 
Find 1 items.
dbus-send stand-in ran
Import device: [a b c] 
Line 2 format error: <91 p>
 
Find 1 items.
dbus-send stand-in ran
--- status 0 255 0 0
--- sent
[["a","b","c"]]
[["a","b","c"]]
[["a","b","c"]]
