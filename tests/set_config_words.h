// The words of the import command before the device list, as the shell hands them to dbus-send.
#pragma once

#include <string>
#include <vector>

inline const std::vector<std::string> kSetConfigWords = {
    "--bus=unix:path=/tmp/var/run/mbusd/mbusd_socket",
    "--dest=iot.dmp.configmanager",
    "--print-reply",
    "/iot/dmp/configmanager",
    "iot.dmp.configmanager.set_config",
    "string:gw_dimu_devicetuple",
};
