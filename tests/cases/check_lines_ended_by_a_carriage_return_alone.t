# An old export ends its lines with a CR alone, which the tool reads on past: three devices become
# one line, of which it stores the first. Said once, for the file; also where the line starts with
# the CR, or where the tool's first read of a long line ends in it.
--- f.txt
[a,b,c]{x0d}[d,e,f]{x0d}[g,h,i]{x0d}
\ No newline at end of file
--- later.txt
[a,b,c]
[d,e,f]{x0d}[g,h,i]{x0d}
[j,k,l]{x0d}[m,n,o]{x0d}
--- start.txt
[a,b,c]
{x0d}[d,e,f]
--- cut.txt: printf '%s\r[d,e,f]\n' "$(repeat 510 x)"
--- $ triple_check f.txt later.txt start.txt cut.txt
f.txt:1: error: a carriage return alone ends lines here, as old exports do, which triple_import does not take for a line end: it reads the 3 lines up to the next line feed as one; save the file with LF or CRLF line ends
f.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
later.txt:2: error: a carriage return alone ends lines here, as old exports do, which triple_import does not take for a line end: it reads the 2 lines up to the next line feed as one; save the file with LF or CRLF line ends
later.txt: 3 devices, 0 refused lines, 0 warnings; the import command takes 238 of 131071 bytes, room for about 9345 more devices of this file's average width
start.txt:2: error: a carriage return alone ends lines here, as old exports do, which triple_import does not take for a line end: it reads the 2 lines up to the next line feed as one; save the file with LF or CRLF line ends
start.txt: 2 devices, 0 refused lines, 0 warnings; the import command takes 224 of 131071 bytes, room for about 9346 more devices of this file's average width
cut.txt:1: error: a carriage return alone ends lines here, as old exports do, which triple_import does not take for a line end: it reads the 2 lines up to the next line feed as one; save the file with LF or CRLF line ends (triple_import's line 2)
cut.txt:1: error: the line has 519 bytes, more than the 511 that triple_import reads at once, so it makes 2 lines of it (its lines 1 and 2): 1 device, 1 refused line; shorten the line to 511 bytes or fewer, its line break included
cut.txt: 1 device, 1 refused line, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 1
