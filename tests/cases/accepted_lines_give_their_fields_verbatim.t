# Whatever stands around the brackets, and blanks, tabs, control bytes and UTF-8 at each of its
# edges, far into a field too: each field as it stands, and field 3 without ']' runs to the end
# of its line, less the line break; at the very end of a file, less nothing but its line break.
# (widest_fields_are_stored_whole has fields of 255 bytes.)
--- devices.txt
[a,b,c]
dev [a,b,c] end
[ a , b , c ]
[a,b,c,d]
[a]x,[b,c]]
[a,b,c]{x0d}
[a,b,c
[a,b,c{x0d}
[a	b,{x7f},c{x0d}]
[Grüße,温度,😀]
[{xc2}{x80},b,aaaaaaaaaaaaaaaaa{xc2}{x80}z]
[߿,b,aaaaaaaaaaaaaaaaa߿z]
[ࠀ,b,aaaaaaaaaaaaaaaaaࠀz]
[{xed}{x9f}{xbf},b,aaaaaaaaaaaaaaaaa{xed}{x9f}{xbf}z]
[{xee}{x80}{x80},b,aaaaaaaaaaaaaaaaa{xee}{x80}{x80}z]
[�,b,aaaaaaaaaaaaaaaaa�z]
[﷏,b,aaaaaaaaaaaaaaaaa﷏z]
[ﷰ,b,aaaaaaaaaaaaaaaaaﷰz]
[𐀀,b,aaaaaaaaaaaaaaaaa𐀀z]
[{xf1}{x80}{x80}{x80},b,aaaaaaaaaaaaaaaaa{xf1}{x80}{x80}{x80}z]
[{xf4}{x8f}{xbf}{xbd},b,aaaaaaaaaaaaaaaaa{xf4}{x8f}{xbf}{xbd}z]
[{x7f}é{x7f},b,aaaaaaaaaaaaaaaaa{x7f}é{x7f}z]
--- end_1.txt
[a,b,c]
\ No newline at end of file
--- end_2.txt
[a,b,c
\ No newline at end of file
--- end_3.txt
[a,b,c{x0d}
\ No newline at end of file
--- $ for file in devices.txt end_1.txt end_2.txt end_3.txt; do triple_import "$file" | sed 1d; done
Import device: [a b c] 
Import device: [a b c] 
Import device: [ a   b   c ] 
Import device: [a b c,d] 
Import device: [a]x [b c] 
Import device: [a b c] 
Import device: [a b c] 
Import device: [a b c] 
Import device: [a	b {x7f} c{x0d}] 
Import device: [Grüße 温度 😀] 
Import device: [{xc2}{x80} b aaaaaaaaaaaaaaaaa{xc2}{x80}z] 
Import device: [߿ b aaaaaaaaaaaaaaaaa߿z] 
Import device: [ࠀ b aaaaaaaaaaaaaaaaaࠀz] 
Import device: [{xed}{x9f}{xbf} b aaaaaaaaaaaaaaaaa{xed}{x9f}{xbf}z] 
Import device: [{xee}{x80}{x80} b aaaaaaaaaaaaaaaaa{xee}{x80}{x80}z] 
Import device: [� b aaaaaaaaaaaaaaaaa�z] 
Import device: [﷏ b aaaaaaaaaaaaaaaaa﷏z] 
Import device: [ﷰ b aaaaaaaaaaaaaaaaaﷰz] 
Import device: [𐀀 b aaaaaaaaaaaaaaaaa𐀀z] 
Import device: [{xf1}{x80}{x80}{x80} b aaaaaaaaaaaaaaaaa{xf1}{x80}{x80}{x80}z] 
Import device: [{xf4}{x8f}{xbf}{xbd} b aaaaaaaaaaaaaaaaa{xf4}{x8f}{xbf}{xbd}z] 
Import device: [{x7f}é{x7f} b aaaaaaaaaaaaaaaaa{x7f}é{x7f}z] 
Find 22 items.
dbus-send stand-in ran
Import device: [a b c] 
Find 1 items.
dbus-send stand-in ran
Import device: [a b c] 
Find 1 items.
dbus-send stand-in ran
Import device: [a b c{x0d}] 
Find 1 items.
dbus-send stand-in ran
--- status 0 0 0 0
--- sent
[["a","b","c"],["a","b","c"],[" a "," b "," c "],["a","b","c,d"],["a]x","[b","c"],["a","b","c"],["a","b","c"],["a","b","c"],["a\tb","{x7f}","c\r"],["Grüße","温度","😀"],["{xc2}{x80}","b","aaaaaaaaaaaaaaaaa{xc2}{x80}z"],["߿","b","aaaaaaaaaaaaaaaaa߿z"],["ࠀ","b","aaaaaaaaaaaaaaaaaࠀz"],["{xed}{x9f}{xbf}","b","aaaaaaaaaaaaaaaaa{xed}{x9f}{xbf}z"],["{xee}{x80}{x80}","b","aaaaaaaaaaaaaaaaa{xee}{x80}{x80}z"],["�","b","aaaaaaaaaaaaaaaaa�z"],["﷏","b","aaaaaaaaaaaaaaaaa﷏z"],["ﷰ","b","aaaaaaaaaaaaaaaaaﷰz"],["𐀀","b","aaaaaaaaaaaaaaaaa𐀀z"],["{xf1}{x80}{x80}{x80}","b","aaaaaaaaaaaaaaaaa{xf1}{x80}{x80}{x80}z"],["{xf4}{x8f}{xbf}{xbd}","b","aaaaaaaaaaaaaaaaa{xf4}{x8f}{xbf}{xbd}z"],["{x7f}é{x7f}","b","aaaaaaaaaaaaaaaaa{x7f}é{x7f}z"]]
[["a","b","c"]]
[["a","b","c"]]
[["a","b","c\r"]]
