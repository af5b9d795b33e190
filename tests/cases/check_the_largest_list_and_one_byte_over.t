--- largest.txt: devices 1953 && echo '[xxxxxxxxxxx,y,z]'
--- one_byte_more.txt: devices 1953 && echo '[xxxxxxxxxxx,y,zz]'
--- $ triple_check largest.txt; triple_check one_byte_more.txt
largest.txt: 1954 devices, 0 refused lines, 0 warnings; the import command takes 131071 of 131071 bytes, room for about 0 more devices of this file's average width
one_byte_more.txt: error: the import command would take 131072 bytes, 1 more than the 131071 that one import carries: triple_import would refuse the whole list
one_byte_more.txt: 1954 devices, 0 refused lines, 0 warnings
--- status 0 1
