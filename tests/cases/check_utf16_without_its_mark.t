--- f.txt
{x00}[{x00}a{x00},{x00}b{x00},{x00}c{x00}]{x00}
--- $ triple_check f.txt
f.txt:1: error: the file is UTF-16 (NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII), which triple_import reads byte by byte: save it as UTF-8
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 1 refused line, 0 warnings
--- status 1
