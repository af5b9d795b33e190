# The stand-in configuration manager takes for the device list only an array of three strings
# each, and keeps the store as it was.
--- needs gateway_bus
--- devices.txt
[a,b,c]
--- $ triple_import devices.txt >/dev/null && cp "$CONFIGMANAGER_STORE" store.before && \
      for value in 'not json' '{}' '[["a","b"]]' '[["a","b",1]]' '["a","b","c"]'; do \
        dbus-send --bus="$GATEWAY_BUS_ADDRESS" --print-reply --dest="$CONFIGMANAGER_NAME" \
          "$CONFIGMANAGER_PATH" "$CONFIGMANAGER_INTERFACE.set_config" string:"$DEVICE_LIST_KEY" \
          "string:$value" 2>&1 | sed "s/:.*//; s/^/$value: /"; \
      done; cmp store.before "$CONFIGMANAGER_STORE" && stored_list
not json: Error iot.dmp.configmanager.Error.InvalidValue
{}: Error iot.dmp.configmanager.Error.InvalidValue
[["a","b"]]: Error iot.dmp.configmanager.Error.InvalidValue
[["a","b",1]]: Error iot.dmp.configmanager.Error.InvalidValue
["a","b","c"]: Error iot.dmp.configmanager.Error.InvalidValue
[["a","b","c"]]
--- status 0
