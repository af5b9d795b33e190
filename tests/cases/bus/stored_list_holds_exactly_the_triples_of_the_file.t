# Through the real dbus-send and bus. A bus would refuse the whole list for the noncharacter
# U+FFFE; its line alone is left out.
--- needs gateway_bus
--- devices.txt
# hall B
[pk1,dev1,s1]
[it's,say "hi",back\slash]
[$(touch pwned),`id`;x, two  blanks ]
[Grüße,温度,✓]
[noncharacter,{xef}{xbf}{xbe},x]
not a triple
--- $ triple_import devices.txt | grep -v '^method return'; stored_list
Current Dir = {dir} 
Import device: [pk1 dev1 s1] 
Import device: [it's say "hi" back\slash] 
Import device: [$(touch pwned) `id`;x  two  blanks ] 
Import device: [Grüße 温度 ✓] 
Line 6: get triple error: [noncharacter,{xef}{xbf}{xbe},x]
 
Line 7 format error: not a triple
 
Find 4 items.
[["pk1","dev1","s1"],["it's","say \"hi\"","back\\slash"],["$(touch pwned)","`id`;x"," two  blanks "],["Grüße","温度","✓"]]
--- status 0
