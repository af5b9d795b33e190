# 2,200,000 lines of 506 single quotes, each written as 5 bytes, make a command of 5,590,200,196
# bytes: past what a 32-bit size_t counts. Streamed, so nothing lands on disk; the quotes are shown
# as Q.
--- needs 32_bit_build
--- $ q=$(repeat 169 "'") && yes "[$q,$q,${q%?}]" | head -n 2200000 | triple_import /dev/stdin | \
      sed "s/'\{168,\}/Q/g" | uniq -c | sed 's/^ *//'
1 Current Dir = {dir} 
2200000 Import device: [Q Q Q] 
1 Find 2200000 items.
1 Device list too large: 5590200196 bytes, at most 131071.
--- status 255
