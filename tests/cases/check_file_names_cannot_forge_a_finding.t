# A name is not the checker's own text: a line break in it would start a finding of its own, and
# an escape sequence would reach the terminal.
--- $ name=$(printf 'a\nb.txt:7: error: forged\033[2J\\x') && echo '[a,b]' >"$name" && triple_check "$name"
a\nb.txt:7: error: forged\x1b[2J\\x:1: error: field 3 is missing: the line ends before a second ','
a\nb.txt:7: error: forged\x1b[2J\\x: error: no device triple: triple_import would send nothing
a\nb.txt:7: error: forged\x1b[2J\\x: 0 devices, 1 refused line, 0 warnings
--- status 1
