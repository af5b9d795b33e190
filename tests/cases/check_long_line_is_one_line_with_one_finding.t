# A line of the file is a line however many reads the tool makes of it, and one finding says what
# the tool makes of it. 555 bytes, fields of 200, 200 and 150 bytes: each under the limit, yet
# the line is cut. Then a comment of 510 bytes with CRLF: its LF alone is the next read.
--- f.txt: printf '[%s,%s,%s]\n[g,h]\n#%509s\r\n' "$(repeat 200 a)" "$(repeat 200 b)" "$(repeat 150 c)" ''
--- $ triple_check f.txt
f.txt:1: error: the line has 555 bytes, more than the 511 that triple_import reads at once, so it makes 2 lines of it (its lines 1 and 2): 2 refused lines; field 3 runs past the first 511 bytes; shorten the line to 511 bytes or fewer, its line break included
f.txt:2: error: field 3 is missing: the line ends before a second ',' (triple_import's line 3)
f.txt:3: error: the line has 512 bytes, more than the 511 that triple_import reads at once, so it makes 2 lines of it (its lines 4 and 5): 1 comment, 1 refused line; its line break is read alone; shorten the line to 511 bytes or fewer, its line break included
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 4 refused lines, 0 warnings
--- status 1
