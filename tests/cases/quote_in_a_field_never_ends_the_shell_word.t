--- devices.txt
[a,b,c';touch pwned;: ']
['',x'y,\'\]
--- $ triple_import devices.txt
Current Dir = {dir} 
Import device: [a b c';touch pwned;: '] 
Import device: ['' x'y \'\] 
Find 2 items.
dbus-send stand-in ran
--- status 0
--- sent
[["a","b","c';touch pwned;: '"],["''","x'y","\\'\\"]]
