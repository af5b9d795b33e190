# After a line that the tool reads as two, a finding names the file's own line and adds the tool's
# where that is another; the earlier line of a repeat is the file's too.
--- f.txt: printf '%0600d\n[a,b,c]\n[a,b,c]\n' 0
--- $ triple_check f.txt
f.txt:1: error: the line has 601 bytes, more than the 511 that triple_import reads at once, so it makes 2 lines of it (its lines 1 and 2): 2 refused lines; shorten the line to 511 bytes or fewer, its line break included
f.txt:3: warning: the same device as line 2, stored twice (triple_import's line 4)
f.txt: 2 devices, 2 refused lines, 1 warning; the import command takes 224 of 131071 bytes, room for about 9346 more devices of this file's average width
--- status 1
