# Blanks and tabs after the ']' and the CR of a CRLF are nothing to the tool, nor here; nor is the
# CR that a line of 510 bytes before its CRLF leaves at the end of its first read, which the long
# line's finding covers.
--- f.txt
[a,b,c] 	
[d,e,f]{x0d}
[g,h,i]	 {x0d}
--- long.txt: printf '%s[a,b,c]\r\n' "$(repeat 503 x)"
--- $ triple_check f.txt long.txt
f.txt: 3 devices, 0 refused lines, 0 warnings; the import command takes 238 of 131071 bytes, room for about 9345 more devices of this file's average width
long.txt:1: error: the line has 512 bytes, more than the 511 that triple_import reads at once, so it makes 2 lines of it (its lines 1 and 2): 1 device, 1 refused line; its line break is read alone; shorten the line to 511 bytes or fewer, its line break included
long.txt: 1 device, 1 refused line, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 1
