--- devices.txt
\ No newline at end of file
--- $ triple_import .
Current Dir = {dir} 
Line 1 read error.
Find 0 items.
--- status 255
