--- f.txt
["a",b,c]
[a,b,c,d]
[a,b,c] spare
[a	b,c,d]
[	x,y{xc2}{xa0},z]
[p,{xc2}{x85}q,r{xe2}{x80}{xae}s{x01}]
 	# [m,n,o]
{xef}{xbb}{xbf}[g,h,i]
[j,k,l]{x00} [d,e,f] spare
[t,u,open
[v,w,cut
\ No newline at end of file
--- $ triple_check f.txt
f.txt:1: warning: field 1 is in double quotes, which are stored with it
f.txt:2: warning: field 3 holds a ',', stored as part of it: a fourth field?
f.txt:3: warning: text after the ']' is ignored
f.txt:3: warning: the same fields 1 and 2 as line 2, with another field 3
f.txt:4: warning: field 1 holds the control byte 0x09 at its byte 2
f.txt:5: warning: field 1 starts with a tab
f.txt:5: warning: field 2 ends with a no-break space
f.txt:6: warning: field 2 holds the C1 control U+0085 at its byte 1, invisible yet stored
f.txt:6: warning: field 3 holds the bidirectional control U+202E at its byte 2, invisible yet stored
f.txt:6: warning: field 3 holds the control byte 0x01 at its byte 6
f.txt:7: warning: blanks stand before the '#', so this comment is read as a line with '['
f.txt:8: warning: a UTF-8 byte-order mark starts the line: were files joined?
f.txt:9: warning: text after the ']' is ignored, behind a NUL byte
f.txt:10: warning: field 3 has no ']': it runs to the end of the line
f.txt:11: warning: field 3 has no ']' and the file ends without a line break: was it cut short?
f.txt: 11 devices, 0 refused lines, 15 warnings; the import command takes 380 of 131071 bytes, room for about 7687 more devices of this file's average width
--- status 1
