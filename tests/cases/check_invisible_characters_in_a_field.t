# Unicode's default-ignorable characters show as nothing, yet are stored: a zero-width space, a
# soft hyphen, a word joiner, the marks of direction, a U+FEFF inside a field. The zero-width
# joiner and non-joiner, which Persian, Indic scripts and emoji need, are no finding.
--- f.txt
[a{xe2}{x80}{x8b}b,c{xc2}{xad}d,e{xe2}{x81}{xa0}f]
[g{xe2}{x80}{x8e}h,i{xe2}{x80}{x8f}j,k{xd8}{x9c}l]
[m{xef}{xbb}{xbf}n,o,p]
[q{xe2}{x80}{x8d}r,s{xe2}{x80}{x8c}t,u]
--- $ triple_check f.txt
f.txt:1: warning: field 1 holds the format character U+200B at its byte 2, invisible yet stored
f.txt:1: warning: field 2 holds the format character U+00AD at its byte 2, invisible yet stored
f.txt:1: warning: field 3 holds the format character U+2060 at its byte 2, invisible yet stored
f.txt:2: warning: field 1 holds the format character U+200E at its byte 2, invisible yet stored
f.txt:2: warning: field 2 holds the format character U+200F at its byte 2, invisible yet stored
f.txt:2: warning: field 3 holds the format character U+061C at its byte 2, invisible yet stored
f.txt:3: warning: field 1 holds the format character U+FEFF at its byte 2, invisible yet stored
f.txt: 4 devices, 0 refused lines, 7 warnings; the import command takes 286 of 131071 bytes, room for about 5686 more devices of this file's average width
--- status 1
