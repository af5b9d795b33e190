--- f.txt
# only a comment
--- $ triple_check f.txt
f.txt: error: no device triple: triple_import would send nothing
f.txt: 0 devices, 0 refused lines, 0 warnings
--- status 1
