# Two million devices through a pipe fit in the address space of a one-line file, and a megabyte:
# the checker keeps no more of a file than one import can carry.
--- needs own_address_space
--- f.txt
[a,b,c]
--- $ limit=$(($(least_space "$checker" f.txt) + 1024)) && \
      awk 'BEGIN { for (i = 0; i < 2000000; i++) printf "[product_key_%07d,device,secret]\n", i }' | \
      (ulimit -v "$limit" && triple_check -) | tail -n 1
(standard input): 2000000 devices, 0 refused lines, 0 warnings
--- status 1
