--- f.txt
[pk-1, dev-1 ,secret ]
--- $ triple_check f.txt
f.txt:1: warning: field 2 starts with a blank
f.txt:1: warning: field 2 ends with a blank
f.txt:1: warning: field 3 ends with a blank
f.txt: 1 device, 0 refused lines, 3 warnings; the import command takes 225 of 131071 bytes, room for about 4511 more devices of this file's average width
--- status 1
