# A byte-order mark alone; "[" and a line break in UTF-16, two NUL bytes, little-endian and
# big-endian; a first line of CJK in 32 bytes whose only NUL bytes are those of '#' and the line
# break: one in 16.
--- needs iconv
--- bom_only.txt
{xff}{xfe}
\ No newline at end of file
--- one_line.txt
[{x00}
{x00}
\ No newline at end of file
--- one_line_be.txt
{x00}[{x00}
--- edge.txt: printf '#上海温度传感器上海温度传感器\n' | iconv -f UTF-8 -t UTF-16LE
--- $ triple_check bom_only.txt one_line.txt one_line_be.txt edge.txt
bom_only.txt:1: error: the file is UTF-16 (it starts with a UTF-16 byte-order mark), which triple_import reads byte by byte: save it as UTF-8
bom_only.txt: error: no device triple: triple_import would send nothing
bom_only.txt: 0 devices, 1 refused line, 0 warnings
one_line.txt:1: error: the file is UTF-16 (NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII), which triple_import reads byte by byte: save it as UTF-8
one_line.txt: error: no device triple: triple_import would send nothing
one_line.txt: 0 devices, 2 refused lines, 0 warnings
one_line_be.txt:1: error: the file is UTF-16 (NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII), which triple_import reads byte by byte: save it as UTF-8
one_line_be.txt: error: no device triple: triple_import would send nothing
one_line_be.txt: 0 devices, 1 refused line, 0 warnings
edge.txt:1: error: the file is UTF-16 (NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII), which triple_import reads byte by byte: save it as UTF-8
edge.txt: error: no device triple: triple_import would send nothing
edge.txt: 0 devices, 3 refused lines, 0 warnings
--- status 1
