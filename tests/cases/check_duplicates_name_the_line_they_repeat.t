--- f.txt
[a,b,X1]
[a,b,Y2]
[a,b,Y2]
[a,b,X1]
[a,c,Y2]
--- $ triple_check f.txt
f.txt:2: warning: the same fields 1 and 2 as line 1, with another field 3
f.txt:3: warning: the same device as line 2, stored twice
f.txt:4: warning: the same device as line 1, stored twice
f.txt: 5 devices, 0 refused lines, 3 warnings; the import command takes 271 of 131071 bytes, room for about 8720 more devices of this file's average width
--- status 1
