# Each file's summary counts its own devices, refusals and warnings alone.
--- a.txt
[a,b,c]
[a,b,c]
no bracket
--- b.txt
[a,b,c]
--- $ triple_check a.txt b.txt
a.txt:2: warning: the same device as line 1, stored twice
a.txt:3: error: no '[' in the line
a.txt: 2 devices, 1 refused line, 1 warning; the import command takes 224 of 131071 bytes, room for about 9346 more devices of this file's average width
b.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 1
