# The command's own status, and the shell's 127 where no dbus-send is on the search path
# (the shell says so on standard error in its own words).
--- devices.txt
[a,b,c]
--- $ (export DBUS_SEND_STATUS=3 && triple_import devices.txt); \
      (rm "$work/bin/dbus-send" && PATH=$work/bin && triple_import devices.txt 2>/dev/null)
Current Dir = {dir} 
Import device: [a b c] 
Find 1 items.
dbus-send stand-in ran
Import command failed: status 3
Current Dir = {dir} 
Import device: [a b c] 
Find 1 items.
Import command failed: status 127
--- status 255 255
--- sent
[["a","b","c"]]
