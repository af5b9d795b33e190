# A field of 256 bytes on a line that one read holds whole.
--- f.txt: printf '[a,%s,c]\n' "$(repeat 256 y)"
--- $ triple_check f.txt
f.txt:1: error: field 2 has 256 bytes, more than the 255 that a field holds
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 1 refused line, 0 warnings
--- status 1
