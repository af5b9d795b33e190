# A no-break space shows as a blank, at either edge of a field; a field of one is both. Beside it,
# U+00A1 is no blank.
--- f.txt
[{xc2}{xa0},b,c]
[a{xc2}{xa1},{xc2}{xa1}b,c]
--- $ triple_check f.txt
f.txt:1: warning: field 1 starts with a no-break space
f.txt:1: warning: field 1 ends with a no-break space
f.txt: 2 devices, 0 refused lines, 2 warnings; the import command takes 229 of 131071 bytes, room for about 7696 more devices of this file's average width
--- status 1
