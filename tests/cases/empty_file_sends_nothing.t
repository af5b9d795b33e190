--- devices.txt
\ No newline at end of file
--- $ triple_import devices.txt
Current Dir = {dir} 
Find 0 items.
--- status 255
