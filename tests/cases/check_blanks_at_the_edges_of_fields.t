# A blank or a tab at an edge is said as an edge; a control byte, once a field, however many.
--- f.txt
[pk-1, dev-1 ,secret ]
[pk-2	,dev-2,s{x01}e{x02}c]
--- $ triple_check f.txt
f.txt:1: warning: field 2 starts with a blank
f.txt:1: warning: field 2 ends with a blank
f.txt:1: warning: field 3 ends with a blank
f.txt:2: warning: field 1 ends with a tab
f.txt:2: warning: field 3 holds the control byte 0x01 at its byte 2
f.txt: 2 devices, 0 refused lines, 5 warnings; the import command takes 262 of 131071 bytes, room for about 3963 more devices of this file's average width
--- status 1
