# An old export ends its lines with a CR alone, which the tool reads on past: three devices become
# one line, of which it stores the first. Said once, for the file.
--- f.txt
[a,b,c]{x0d}[d,e,f]{x0d}[g,h,i]{x0d}
\ No newline at end of file
--- later.txt
[a,b,c]
[d,e,f]{x0d}[g,h,i]{x0d}
[j,k,l]{x0d}[m,n,o]{x0d}
--- $ triple_check f.txt later.txt
f.txt:1: error: a carriage return alone ends lines here, as old exports do, which triple_import does not take for a line end: it reads the 3 lines up to the next line feed as one; save the file with LF or CRLF line ends
f.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
later.txt:2: error: a carriage return alone ends lines here, as old exports do, which triple_import does not take for a line end: it reads the 2 lines up to the next line feed as one; save the file with LF or CRLF line ends
later.txt: 3 devices, 0 refused lines, 0 warnings; the import command takes 238 of 131071 bytes, room for about 9345 more devices of this file's average width
--- status 1
