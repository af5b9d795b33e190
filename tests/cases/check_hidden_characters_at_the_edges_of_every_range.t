# What shows and what does not, at the edges of every range: control bytes, C1 controls, the
# bidirectional controls and the rest of Unicode 15.1's default-ignorable characters, less the
# zero-width non-joiner and joiner; each between an 'a' and a 'b' in field 1.
--- f.txt
[a{x01}b,c,d]
[a{x1f}b,c,d]
[a b,c,d]
[a~b,c,d]
[a{x7f}b,c,d]
[a{xc2}{x80}b,c,d]
[a{xc2}{x9f}b,c,d]
[a{xc2}{xa0}b,c,d]
[a¬b,c,d]
[a{xc2}{xad}b,c,d]
[a®b,c,d]
[a͎b,c,d]
[a{xcd}{x8f}b,c,d]
[a͐b,c,d]
[a؛b,c,d]
[a{xd8}{x9c}b,c,d]
[a؝b,c,d]
[aᅞb,c,d]
[a{xe1}{x85}{x9f}b,c,d]
[a{xe1}{x85}{xa0}b,c,d]
[aᅡb,c,d]
[aឳb,c,d]
[a{xe1}{x9e}{xb4}b,c,d]
[a{xe1}{x9e}{xb5}b,c,d]
[aាb,c,d]
[a᠊b,c,d]
[a{xe1}{xa0}{x8b}b,c,d]
[a{xe1}{xa0}{x8f}b,c,d]
[a᠐b,c,d]
[a b,c,d]
[a{xe2}{x80}{x8b}b,c,d]
[a{xe2}{x80}{x8c}b,c,d]
[a{xe2}{x80}{x8d}b,c,d]
[a{xe2}{x80}{x8e}b,c,d]
[a{xe2}{x80}{x8f}b,c,d]
[a‐b,c,d]
[a{xe2}{x80}{xa9}b,c,d]
[a{xe2}{x80}{xaa}b,c,d]
[a{xe2}{x80}{xae}b,c,d]
[a b,c,d]
[a b,c,d]
[a{xe2}{x81}{xa0}b,c,d]
[a{xe2}{x81}{xa5}b,c,d]
[a{xe2}{x81}{xa6}b,c,d]
[a{xe2}{x81}{xa9}b,c,d]
[a{xe2}{x81}{xaa}b,c,d]
[a{xe2}{x81}{xaf}b,c,d]
[a⁰b,c,d]
[aㅣb,c,d]
[a{xe3}{x85}{xa4}b,c,d]
[aㅥb,c,d]
[a﷿b,c,d]
[a{xef}{xb8}{x80}b,c,d]
[a{xef}{xb8}{x8f}b,c,d]
[a︐b,c,d]
[a﻾b,c,d]
[a{xef}{xbb}{xbf}b,c,d]
[a＀b,c,d]
[aﾟb,c,d]
[a{xef}{xbe}{xa0}b,c,d]
[aﾡb,c,d]
[a￯b,c,d]
[a{xef}{xbf}{xb0}b,c,d]
[a{xef}{xbf}{xb8}b,c,d]
[a￹b,c,d]
[a𛲟b,c,d]
[a{xf0}{x9b}{xb2}{xa0}b,c,d]
[a{xf0}{x9b}{xb2}{xa3}b,c,d]
[a𛲤b,c,d]
[a𝅲b,c,d]
[a{xf0}{x9d}{x85}{xb3}b,c,d]
[a{xf0}{x9d}{x85}{xba}b,c,d]
[a𝅻b,c,d]
[a{xf3}{x9f}{xbf}{xbd}b,c,d]
[a{xf3}{xa0}{x80}{x80}b,c,d]
[a{xf3}{xa0}{xbf}{xbf}b,c,d]
[a󡀀b,c,d]
--- $ triple_check f.txt
f.txt:1: warning: field 1 holds the control byte 0x01 at its byte 2
f.txt:2: warning: field 1 holds the control byte 0x1f at its byte 2
f.txt:5: warning: field 1 holds the control byte 0x7f at its byte 2
f.txt:6: warning: field 1 holds the C1 control U+0080 at its byte 2, invisible yet stored
f.txt:7: warning: field 1 holds the C1 control U+009F at its byte 2, invisible yet stored
f.txt:10: warning: field 1 holds the format character U+00AD at its byte 2, invisible yet stored
f.txt:13: warning: field 1 holds the format character U+034F at its byte 2, invisible yet stored
f.txt:16: warning: field 1 holds the format character U+061C at its byte 2, invisible yet stored
f.txt:19: warning: field 1 holds the format character U+115F at its byte 2, invisible yet stored
f.txt:20: warning: field 1 holds the format character U+1160 at its byte 2, invisible yet stored
f.txt:23: warning: field 1 holds the format character U+17B4 at its byte 2, invisible yet stored
f.txt:24: warning: field 1 holds the format character U+17B5 at its byte 2, invisible yet stored
f.txt:27: warning: field 1 holds the format character U+180B at its byte 2, invisible yet stored
f.txt:28: warning: field 1 holds the format character U+180F at its byte 2, invisible yet stored
f.txt:31: warning: field 1 holds the format character U+200B at its byte 2, invisible yet stored
f.txt:34: warning: field 1 holds the format character U+200E at its byte 2, invisible yet stored
f.txt:35: warning: field 1 holds the format character U+200F at its byte 2, invisible yet stored
f.txt:38: warning: field 1 holds the bidirectional control U+202A at its byte 2, invisible yet stored
f.txt:39: warning: field 1 holds the bidirectional control U+202E at its byte 2, invisible yet stored
f.txt:42: warning: field 1 holds the format character U+2060 at its byte 2, invisible yet stored
f.txt:43: warning: field 1 holds the format character U+2065 at its byte 2, invisible yet stored
f.txt:44: warning: field 1 holds the bidirectional control U+2066 at its byte 2, invisible yet stored
f.txt:45: warning: field 1 holds the bidirectional control U+2069 at its byte 2, invisible yet stored
f.txt:46: warning: field 1 holds the format character U+206A at its byte 2, invisible yet stored
f.txt:47: warning: field 1 holds the format character U+206F at its byte 2, invisible yet stored
f.txt:50: warning: field 1 holds the format character U+3164 at its byte 2, invisible yet stored
f.txt:53: warning: field 1 holds the format character U+FE00 at its byte 2, invisible yet stored
f.txt:54: warning: field 1 holds the format character U+FE0F at its byte 2, invisible yet stored
f.txt:57: warning: field 1 holds the format character U+FEFF at its byte 2, invisible yet stored
f.txt:60: warning: field 1 holds the format character U+FFA0 at its byte 2, invisible yet stored
f.txt:63: warning: field 1 holds the format character U+FFF0 at its byte 2, invisible yet stored
f.txt:64: warning: field 1 holds the format character U+FFF8 at its byte 2, invisible yet stored
f.txt:67: warning: field 1 holds the format character U+1BCA0 at its byte 2, invisible yet stored
f.txt:68: warning: field 1 holds the format character U+1BCA3 at its byte 2, invisible yet stored
f.txt:71: warning: field 1 holds the format character U+1D173 at its byte 2, invisible yet stored
f.txt:72: warning: field 1 holds the format character U+1D17A at its byte 2, invisible yet stored
f.txt:75: warning: field 1 holds the format character U+E0000 at its byte 2, invisible yet stored
f.txt:76: warning: field 1 holds the format character U+E0FFF at its byte 2, invisible yet stored
f.txt: 77 devices, 0 refused lines, 38 warnings; the import command takes 1582 of 131071 bytes, room for about 7193 more devices of this file's average width
--- status 1
