--- f.txt
{xef}{xbb}{xbf}# hall B
[a,b,c]
--- $ triple_check f.txt
f.txt:1: error: a byte-order mark stands before the '#', so this comment is a line without '['
f.txt: 1 device, 1 refused line, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 1
