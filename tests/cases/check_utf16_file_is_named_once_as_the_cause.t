# By its byte-order mark, little-endian or big-endian, whatever follows it.
--- f.txt
{xff}{xfe}[{x00}a{x00},{x00}b{x00},{x00}c{x00}]{x00}
{x00}[{x00}d{x00}
\ No newline at end of file
--- big.txt
{xfe}{xff}[a,b,c]
--- $ triple_check f.txt big.txt
f.txt:1: error: the file is UTF-16 (it starts with a UTF-16 byte-order mark), which triple_import reads byte by byte: save it as UTF-8
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 2 refused lines, 0 warnings
big.txt:1: error: the file is UTF-16 (it starts with a UTF-16 byte-order mark), which triple_import reads byte by byte: save it as UTF-8
big.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 1
