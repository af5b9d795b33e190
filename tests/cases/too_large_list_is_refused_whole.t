# One byte more than the largest list, and one typical device more.
--- one_byte_more.txt: devices 1953 && echo '[xxxxxxxxxxx,y,zz]'
--- one_device_more.txt: devices 1954
--- $ triple_import one_byte_more.txt | tail -n 2 && triple_import one_device_more.txt | tail -n 2
Find 1954 items.
Device list too large: 131072 bytes, at most 131071.
Find 1954 items.
Device list too large: 131114 bytes, at most 131071.
--- status 255 255
