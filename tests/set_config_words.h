// The words of the import command before the device list, as the shell hands them to dbus-send.
#pragma once

#include <string>
#include <vector>

#include "gateway_bus.h"

inline const std::vector<std::string> kSetConfigWords = {
    std::string("--bus=") + kGatewayBusAddress,
    std::string("--dest=") + kConfigManagerName,
    "--print-reply",
    kConfigManagerPath,
    std::string(kConfigManagerInterface) + ".set_config",
    std::string("string:") + kDeviceListKey,
};
