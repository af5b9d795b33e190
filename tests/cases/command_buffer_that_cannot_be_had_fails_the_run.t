# Where the tool just starts and prints its usage line, the 2 MiB command buffer cannot fit.
--- needs own_address_space
--- devices.txt
[a,b,c]
--- $ limit=$(least_space "$tool"); (ulimit -v "$limit" && triple_import devices.txt)
cmd malloc 2MB failed.
--- status 255
