--- f.txt
{xff}{xfe}[{x00}a{x00},{x00}b{x00},{x00}c{x00}]{x00}
{x00}[{x00}d{x00}
\ No newline at end of file
--- $ triple_check f.txt
f.txt:1: error: the file is UTF-16 (it starts with a UTF-16 byte-order mark), which triple_import reads byte by byte: save it as UTF-8
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 2 refused lines, 0 warnings
--- status 1
