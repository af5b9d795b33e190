# A field 1 of 600 bytes: the tool's read stops inside it, and its ',' and the rest come in the
# next read, a line of its own.
--- f.txt: printf '[%0600d,b,c]\n' 0
--- $ triple_check f.txt
f.txt:1: error: the line has 607 bytes, more than the 511 that triple_import reads at once, so it makes 2 lines of it (its lines 1 and 2): 2 refused lines; field 1 runs past the first 511 bytes; shorten the line to 511 bytes or fewer, its line break included
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 2 refused lines, 0 warnings
--- status 1
