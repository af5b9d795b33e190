# 554 bytes, fields of 200, 200 and 150 bytes: each under the limit, yet the line is cut. Then a
# comment of 510 bytes with CRLF: its LF alone is the next read.
--- f.txt: printf '[%s,%s,%s]\n[g,h]\n#%509s\r\n' "$(repeat 200 a)" "$(repeat 200 b)" "$(repeat 150 c)" ''
--- $ triple_check f.txt
f.txt:1: warning: a line of the file over 511 bytes, its line break included, is read in pieces, each a line of its own: this piece is a triple error
f.txt:1: error: field 3 has no ']' and runs into the end of a 511-byte read
f.txt:2: warning: a line of the file over 511 bytes, its line break included, is read in pieces, each a line of its own: this piece is a format error (line 1 of the file, piece 2)
f.txt:2: error: no '[' in the line (line 1 of the file, piece 2)
f.txt:3: error: field 3 is missing: the line ends before a second ',' (line 2 of the file, piece 1)
f.txt:4: warning: a line of the file over 511 bytes, its line break included, is read in pieces, each a line of its own: this piece is a comment (line 3 of the file, piece 1)
f.txt:5: error: the line break is read alone, after a full read of 511 bytes: shorten the line to 511 bytes or fewer, its line break included (line 3 of the file, piece 2)
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 4 refused lines, 3 warnings
--- status 1
