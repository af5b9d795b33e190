--- f.txt
{xef}{xbb}{xbf}[a,b,c]
--- $ triple_check f.txt
f.txt:1: warning: the file starts with a UTF-8 byte-order mark
f.txt: 1 device, 0 refused lines, 1 warning; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 1
