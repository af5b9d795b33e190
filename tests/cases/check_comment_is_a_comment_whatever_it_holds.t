# A NUL byte in a comment hides nothing the tool needs: it is no UTF-16 file.
--- f.txt
#{x00}
[a,b,c]
--- $ triple_check f.txt
f.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 0
