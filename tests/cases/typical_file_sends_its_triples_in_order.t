--- devices.txt
# gateway 7
[pk1,dev1,s1]
no brackets
[pk2,dev2,s2]
--- $ triple_import devices.txt
Current Dir = {dir} 
Import device: [pk1 dev1 s1] 
Line 3 format error: no brackets
 
Import device: [pk2 dev2 s2] 
Find 2 items.
dbus-send stand-in ran
--- status 0
--- sent
[["pk1","dev1","s1"],["pk2","dev2","s2"]]
