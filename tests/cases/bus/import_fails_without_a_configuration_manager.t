--- needs gateway_bus_without_manager
--- devices.txt
[a,b,c]
# dbus-send's error, shown up to its first ':', is the bus's.
--- $ triple_import devices.txt 2>&1 | sed 's/^\(Error [^:]*\):.*/\1/'
Current Dir = {dir} 
Import device: [a b c] 
Find 1 items.
Error org.freedesktop.DBus.Error.ServiceUnknown
Import command failed: status 1
--- status 255
