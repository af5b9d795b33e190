--- f.txt
no #bracket

{x00}[a,b,c]
[a,b]
[a,,c]
[a,b,c{x00}d
[{xff},b,c]
[a,x{xef}{xbf}{xbe},c]
{x0d}
a;b;c
a	b	c
[a;b;c]
 	# note
x{x00}[a,b,c]
[a{x00},b,c]
{xef}{xbb}{xbf}# [a,b]
--- $ triple_check f.txt
f.txt:1: error: no '[' in the line
f.txt:2: error: the line is empty: triple_import reports it, and it can be deleted
f.txt:3: error: the line starts with a NUL byte (a UTF-16 file?)
f.txt:4: error: field 3 is missing: the line ends before a second ','
f.txt:5: error: field 2 is empty
f.txt:6: error: field 3 has no ']' and runs into a NUL byte
f.txt:7: error: field 1 is not UTF-8 at its byte 1 (0xff)
f.txt:8: error: field 2 holds the noncharacter U+FFFE at its byte 2, which a bus may refuse with the whole list
f.txt:9: error: the line is empty: triple_import reports it, and it can be deleted
f.txt:10: error: no '[' in the line, whose fields are separated by ';': a device is written [field1,field2,field3]
f.txt:11: error: no '[' in the line, whose fields are separated by tabs: a device is written [field1,field2,field3]
f.txt:12: error: field 2 is missing: the fields are separated by ';', not ','
f.txt:13: error: blanks stand before the '#', so this comment is a line without '['
f.txt:14: error: no '[' before the NUL byte at byte 2, which hides the rest of the line
f.txt:15: error: field 2 is missing: the NUL byte at byte 3 hides the rest of the line
f.txt:16: error: a byte-order mark stands before the '#', so this comment is read as a line with '['
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 16 refused lines, 0 warnings
--- status 1
