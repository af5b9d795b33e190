--- devices.txt
[it's,say "hi",back\slash]
[$(touch pwned),`touch pwned`,a;touch pwned]
[' ; touch pwned; ',"'",x'"'"y]
[ blank , Grüße ,温度 ✓]{x0d}
[tab	here,dup,dup]
[tab	here,dup,dup]
[a,b,open to the end{x0d}
--- $ triple_import devices.txt
Current Dir = {dir} 
Import device: [it's say "hi" back\slash] 
Import device: [$(touch pwned) `touch pwned` a;touch pwned] 
Import device: [' ; touch pwned; ' "'" x'"'"y] 
Import device: [ blank   Grüße  温度 ✓] 
Import device: [tab	here dup dup] 
Import device: [tab	here dup dup] 
Import device: [a b open to the end] 
Find 7 items.
dbus-send stand-in ran
--- status 0
--- sent
[["it's","say \"hi\"","back\\slash"],["$(touch pwned)","`touch pwned`","a;touch pwned"],["' ; touch pwned; '","\"'\"","x'\"'\"y"],[" blank "," Grüße ","温度 ✓"],["tab\there","dup","dup"],["tab\there","dup","dup"],["a","b","open to the end"]]
