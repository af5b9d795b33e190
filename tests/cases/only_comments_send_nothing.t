--- devices.txt
# only a comment
--- $ triple_import devices.txt
Current Dir = {dir} 
Find 0 items.
--- status 255
