# 9,349 devices are more than one import carries, and more than the search for duplicates keeps:
# it stops there, so a repeat after it is not named, and the summary says where.
--- f.txt: awk 'BEGIN { for (i = 1; i <= 9400; i++) printf "[%d,b,c]\n", i; print "[1,b,c]" }'
--- $ triple_check f.txt
f.txt: error: the import command would take 158903 bytes, 27832 more than the 131071 that one import carries: triple_import would refuse the whole list; the search for duplicates stopped at line 9349
f.txt: 9401 devices, 0 refused lines, 0 warnings
--- status 1
