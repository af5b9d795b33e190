# Past a NUL byte the tool sees nothing of its line: field 3 open into one is cut, a ']' before
# one closes its triple, and a line that starts with one is empty.
--- devices.txt
[a,b,c{x00}d
[a,b,c]{x00}d
{x00}[a,b,c]
[d,e,f]
[a,b,c{x00}d
\ No newline at end of file
--- $ triple_import devices.txt
Current Dir = {dir} 
Line 1: get triple error: [a,b,c 
Import device: [a b c] 
Line 3 format error:  
Import device: [d e f] 
Line 5: get triple error: [a,b,c 
Find 2 items.
dbus-send stand-in ran
--- status 0
--- sent
[["a","b","c"],["d","e","f"]]
