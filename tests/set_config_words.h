// The import command before its device list: the words that the shell hands to dbus-send, and the
// text that the tool writes for them.
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

inline std::string import_command_prefix() {
  return std::string("dbus-send --bus=") + kGatewayBusAddress + " --dest=" + kConfigManagerName +
         " --print-reply " + kConfigManagerPath + " " + kConfigManagerInterface +
         ".set_config string:'" + kDeviceListKey + "' string:'[";
}
