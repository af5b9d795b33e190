# Such a parent leaves SIGCHLD ignored, and the kernel would then reap the shell by itself.
--- needs env_ignore_signal
--- devices.txt
[a,b,c]
--- $ wrap="env --ignore-signal=CHLD" && triple_import devices.txt | tail -n 2 && \
      export DBUS_SEND_STATUS=3 && triple_import devices.txt | tail -n 2
Find 1 items.
dbus-send stand-in ran
dbus-send stand-in ran
Import command failed: status 3
--- status 0 255
--- sent
[["a","b","c"]]
[["a","b","c"]]
