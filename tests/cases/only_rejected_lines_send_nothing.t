--- devices.txt
# c
no brackets
[a,b]
--- $ triple_import devices.txt
Current Dir = {dir} 
Line 2 format error: no brackets
 
Line 3: get triple error: [a,b]
 
Find 0 items.
--- status 255
