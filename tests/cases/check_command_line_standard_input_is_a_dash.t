--- f.txt
[a,b,c]
--- $ triple_check - <f.txt
(standard input): 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 0
