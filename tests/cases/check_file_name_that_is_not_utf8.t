# A byte that is not UTF-8 and a tab in a file's name are shown escaped.
--- $ name=$(printf 'caf\351\tb.txt') && echo '[a,b]' >"$name" && triple_check "$name" | sed -n 1p
caf\xe9\tb.txt:1: error: field 3 is missing: the line ends before a second ','
--- status 1
