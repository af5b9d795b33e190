# Its folder is longer than the 4,096 bytes that the lookup takes: 21 steps of 200 bytes, made and
# run from the tenth, as no single path may be that long. (A sanitizer's runtime cannot read the
# link either, and says so.)
--- devices.txt
[a,b,c]
--- $ file=$PWD/devices.txt s=$(repeat 200 d) && h=$s/$s/$s/$s/$s/$s/$s/$s/$s/$s && \
      mkdir -p "$h" && cd "$h" && mkdir -p "$h/$s" && cp "$tool" "$h/$s/" && \
      run_tool "./$h/$s/triple_import" "$file" 2>&1 | grep -v 'reading executable name failed'
readlink /proc/self/exe failed.
--- status 255
