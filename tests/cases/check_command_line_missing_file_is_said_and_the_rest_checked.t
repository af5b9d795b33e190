--- f.txt
[a,b,c]
--- $ triple_check missing.txt f.txt
f.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- stderr
triple_check: missing.txt: No such file or directory
--- status 2
