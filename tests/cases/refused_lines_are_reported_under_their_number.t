# A comment starts in the first column alone; a line without '[' is a format error; missing and
# empty fields, fields over 255 bytes and bytes that are not UTF-8 or are noncharacters, which a
# bus may refuse with the whole list, are triple errors. Nothing is sent. 256 x are shown <256 x>.
--- refused.txt
#[a,b,c]

a,b,c]
   {x0d}
 # not a comment
[a,b]
[,b,c]
[a,,c]
[a,b,]
[a,b,
[a,b,{x0d}
[
[{xff},b,c]
[a,{xc0}{xaf},c]
[a,b,{xed}{xa0}{x80}]
[a,b,{xe6}{x97}]
[a,b,{xf4}{x90}{x80}{x80}]
[{x80},b,c]
[a,b,aaaaaaaaaaaaaaaaa{x80}z]
[caf{xe9},b,c]
[a,b,aaaaaaaaaaaaaaaaacaf{xe9}z]
[a{xc3}b,b,c]
[a,b,aaaaaaaaaaaaaaaaaa{xc3}bz]
[{xc1}{xbf},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xc1}{xbf}z]
[{xe0}{x9f}{xbf},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xe0}{x9f}{xbf}z]
[{xf0}{x8f}{xbf}{xbf},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xf0}{x8f}{xbf}{xbf}z]
[{xed}{xbf}{xbf},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xed}{xbf}{xbf}z]
[{xf4}{x90}{x80}{x80},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xf4}{x90}{x80}{x80}z]
[{xef}{xb7}{x90},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xef}{xb7}{x90}z]
[{xef}{xb7}{xaf},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xef}{xb7}{xaf}z]
[{xef}{xbf}{xbe},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xef}{xbf}{xbe}z]
[{xef}{xbf}{xbf},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xef}{xbf}{xbf}z]
[{xf0}{x9f}{xbf}{xbe},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xf0}{x9f}{xbf}{xbe}z]
[{xf4}{x8f}{xbf}{xbf},b,c]
[a,b,aaaaaaaaaaaaaaaaa{xf4}{x8f}{xbf}{xbf}z]
--- devices.txt: cat refused.txt; printf '[%s,b,c]\n[a,%s,c]\n[a,b,%s]\n' "$(repeat 256 x)" "$(repeat 256 x)" \
      "$(repeat 256 x)"; printf 'no bracket at all'
--- open.txt
[
\ No newline at end of file
--- $ triple_import devices.txt | sed '1d; s/x\{256\}/<256 x>/'; triple_import open.txt | sed 1d
Line 2 format error: 
 
Line 3 format error: a,b,c]
 
Line 4 format error:    {x0d}
 
Line 5 format error:  # not a comment
 
Line 6: get triple error: [a,b]
 
Line 7: get triple error: [,b,c]
 
Line 8: get triple error: [a,,c]
 
Line 9: get triple error: [a,b,]
 
Line 10: get triple error: [a,b,
 
Line 11: get triple error: [a,b,{x0d}
 
Line 12: get triple error: [
 
Line 13: get triple error: [{xff},b,c]
 
Line 14: get triple error: [a,{xc0}{xaf},c]
 
Line 15: get triple error: [a,b,{xed}{xa0}{x80}]
 
Line 16: get triple error: [a,b,{xe6}{x97}]
 
Line 17: get triple error: [a,b,{xf4}{x90}{x80}{x80}]
 
Line 18: get triple error: [{x80},b,c]
 
Line 19: get triple error: [a,b,aaaaaaaaaaaaaaaaa{x80}z]
 
Line 20: get triple error: [caf{xe9},b,c]
 
Line 21: get triple error: [a,b,aaaaaaaaaaaaaaaaacaf{xe9}z]
 
Line 22: get triple error: [a{xc3}b,b,c]
 
Line 23: get triple error: [a,b,aaaaaaaaaaaaaaaaaa{xc3}bz]
 
Line 24: get triple error: [{xc1}{xbf},b,c]
 
Line 25: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xc1}{xbf}z]
 
Line 26: get triple error: [{xe0}{x9f}{xbf},b,c]
 
Line 27: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xe0}{x9f}{xbf}z]
 
Line 28: get triple error: [{xf0}{x8f}{xbf}{xbf},b,c]
 
Line 29: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xf0}{x8f}{xbf}{xbf}z]
 
Line 30: get triple error: [{xed}{xbf}{xbf},b,c]
 
Line 31: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xed}{xbf}{xbf}z]
 
Line 32: get triple error: [{xf4}{x90}{x80}{x80},b,c]
 
Line 33: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xf4}{x90}{x80}{x80}z]
 
Line 34: get triple error: [{xef}{xb7}{x90},b,c]
 
Line 35: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xef}{xb7}{x90}z]
 
Line 36: get triple error: [{xef}{xb7}{xaf},b,c]
 
Line 37: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xef}{xb7}{xaf}z]
 
Line 38: get triple error: [{xef}{xbf}{xbe},b,c]
 
Line 39: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xef}{xbf}{xbe}z]
 
Line 40: get triple error: [{xef}{xbf}{xbf},b,c]
 
Line 41: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xef}{xbf}{xbf}z]
 
Line 42: get triple error: [{xf0}{x9f}{xbf}{xbe},b,c]
 
Line 43: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xf0}{x9f}{xbf}{xbe}z]
 
Line 44: get triple error: [{xf4}{x8f}{xbf}{xbf},b,c]
 
Line 45: get triple error: [a,b,aaaaaaaaaaaaaaaaa{xf4}{x8f}{xbf}{xbf}z]
 
Line 46: get triple error: [<256 x>,b,c]
 
Line 47: get triple error: [a,<256 x>,c]
 
Line 48: get triple error: [a,b,<256 x>]
 
Line 49 format error: no bracket at all 
Find 0 items.
Line 1: get triple error: [ 
Find 0 items.
--- status 255 255
