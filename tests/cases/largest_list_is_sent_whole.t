# 1,953 typical devices (67 bytes as a device entry) and the last line [xxxxxxxxxxx,y,z] make a
# command of exactly 131,071 bytes, the most that the shell can be given.
--- devices.txt: devices 1953 && echo '[xxxxxxxxxxx,y,z]'
--- $ triple_import devices.txt | tail -n 2
Find 1954 items.
dbus-send stand-in ran
--- status 0
--- sent: awk -F '[][,]' '{ printf "%s[\"%s\",\"%s\",\"%s\"]", (NR > 1 ? "," : "["), $2, $3, $4 } END { print "]" }' devices.txt
