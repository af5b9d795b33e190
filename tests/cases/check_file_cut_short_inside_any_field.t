# A file that ends in a field without a line break was most likely cut short.
--- one.txt
[a
\ No newline at end of file
--- two.txt
[a,b
\ No newline at end of file
--- three.txt
[a,b,
\ No newline at end of file
--- $ for f in one.txt two.txt three.txt; do triple_check "$f" | grep -v 'no device\|0 devices'; done
one.txt:1: error: field 2 is missing: the file ends in field 1 without a line break: was it cut short?
two.txt:1: error: field 3 is missing: the file ends in field 2 without a line break: was it cut short?
three.txt:1: error: field 3 is empty: the file ends after its ',' without a line break: was it cut short?
--- status 1 1 1
