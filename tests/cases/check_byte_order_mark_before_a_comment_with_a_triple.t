--- f.txt
{xef}{xbb}{xbf}# hall B [a,b,c]
--- $ triple_check f.txt
f.txt:1: warning: a byte-order mark stands before the '#', so this comment is read as a line with '['
f.txt: 1 device, 0 refused lines, 1 warning; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 1
