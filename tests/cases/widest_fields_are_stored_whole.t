# A field may have 255 bytes, and a line the 511 that one read holds whole. A run of 250 or 255
# times a letter is shown <N letter>.
--- wide.txt: printf '[%s,%s,z]\n[a,%s,c]\n[a,b,%s]\n' "$(repeat 255 x)" "$(repeat 250 y)" \
      "$(repeat 255 y)" "$(repeat 255 z)"
--- $ triple_import wide.txt | sed 's/\([xyz]\)\1\{254\}/<255 \1>/g; s/\(y\)\1\{249\}/<250 \1>/g'
Current Dir = {dir} 
Import device: [<255 x> <250 y> z] 
Import device: [a <255 y> c] 
Import device: [a b <255 z>] 
Find 3 items.
dbus-send stand-in ran
--- status 0
--- sent: printf '[["%s","%s","z"],["a","%s","c"],["a","b","%s"]]\n' "$(repeat 255 x)" \
      "$(repeat 250 y)" "$(repeat 255 y)" "$(repeat 255 z)"
