# Without a byte-order mark too, whatever the first line holds: German, nothing, or CJK, whose
# UTF-16 has no NUL byte; its triples' brackets, commas and line breaks have them. Big-endian too.
--- needs iconv
--- de.txt: printf '# Geräte der Halle B\n[a,b,c]\n' | iconv -f UTF-8 -t UTF-16LE
--- empty.txt: printf '\n[a,b,c]\n' | iconv -f UTF-8 -t UTF-16LE
--- cjk.txt: printf '上海温度传感器\n[a,b,c]\n[d,e,f]\n' | iconv -f UTF-8 -t UTF-16LE
--- be.txt: printf '# Geräte\n[a,b,c]\n' | iconv -f UTF-8 -t UTF-16BE
--- $ for f in de.txt empty.txt cjk.txt be.txt; do triple_check "$f" | grep -v ': error: no device'; done
de.txt:1: error: the file is UTF-16 (NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII), which triple_import reads byte by byte: save it as UTF-8
de.txt: 0 devices, 2 refused lines, 0 warnings
empty.txt:1: error: the file is UTF-16 (NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII), which triple_import reads byte by byte: save it as UTF-8
empty.txt: 0 devices, 3 refused lines, 0 warnings
cjk.txt:1: error: the file is UTF-16 (NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII), which triple_import reads byte by byte: save it as UTF-8
cjk.txt: 0 devices, 5 refused lines, 0 warnings
be.txt:1: error: the file is UTF-16 (NUL bytes stand at every other place of its first bytes, as UTF-16 writes ASCII), which triple_import reads byte by byte: save it as UTF-8
be.txt: 0 devices, 2 refused lines, 0 warnings
--- status 1 1 1 1
