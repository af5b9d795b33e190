# More files than the process may hold open at once.
--- f.txt
[a,b,c]
--- $ (ulimit -n 24 && triple_check $(repeat 40 f | sed 's/f/f.txt /g')) | uniq -c | sed 's/^ *//'
40 f.txt: 1 device, 0 refused lines, 0 warnings; the import command takes 210 of 131071 bytes, room for about 9347 more devices of this file's average width
--- status 0
