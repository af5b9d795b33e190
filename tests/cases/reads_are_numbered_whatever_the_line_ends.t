# Every read is a line, comments and refused lines too, whether it ends in LF, CRLF or the end of
# the file; the devices are sent in file order, duplicates included.
--- devices.txt
# c
[a,b,c]{x0d}
bad
[a,b,c]
[d,e,f]
\ No newline at end of file
--- $ triple_import devices.txt
Current Dir = {dir} 
Import device: [a b c] 
Line 3 format error: bad
 
Import device: [a b c] 
Import device: [d e f] 
Find 3 items.
dbus-send stand-in ran
--- status 0
--- sent
[["a","b","c"],["a","b","c"],["d","e","f"]]
