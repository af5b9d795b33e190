# Findings lost to a full disk or a closed standard output would pass for a clean file.
--- needs dev_full
--- f.txt
[a,b]
--- $ triple_check f.txt >/dev/full; triple_check f.txt >&-
--- stderr
triple_check: standard output: No space left on device
triple_check: standard output: Bad file descriptor
--- status 2 2
