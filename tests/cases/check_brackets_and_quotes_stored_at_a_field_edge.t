# The format lets '[', ']' and '"' into fields 1 and 2, where they are typing mistakes far more
# often than names.
--- f.txt
[[a,b,c]]
[a,b],c]
["a,b,c]
[d,e",f]
--- $ triple_check f.txt
f.txt:1: warning: field 1 starts with '[', which is stored with it
f.txt:1: warning: text after the ']' is ignored
f.txt:2: warning: field 2 ends with ']', which is stored with it
f.txt:3: warning: field 1 starts with '"', which is stored with it
f.txt:4: warning: field 2 ends with '"', which is stored with it
f.txt: 4 devices, 0 refused lines, 5 warnings; the import command takes 258 of 131071 bytes, room for about 8175 more devices of this file's average width
--- status 1
