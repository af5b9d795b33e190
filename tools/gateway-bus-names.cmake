# The gateway's bus and configuration manager as the import command names them. The tool keeps
# its command as one literal text; the tests, the stand-in, its bus and the scripts take these
# from here, and the tests check that the tool's command names the same.
set(GATEWAY_BUS_SOCKET /tmp/var/run/mbusd/mbusd_socket)
set(CONFIGMANAGER_NAME iot.dmp.configmanager)
set(CONFIGMANAGER_PATH /iot/dmp/configmanager)
set(CONFIGMANAGER_INTERFACE iot.dmp.configmanager)
set(DEVICE_LIST_KEY gw_dimu_devicetuple)
configure_file(${CMAKE_CURRENT_LIST_DIR}/gateway_bus.h.in generated/gateway_bus.h @ONLY)
add_library(gateway_bus_names INTERFACE)
target_include_directories(gateway_bus_names INTERFACE ${PROJECT_BINARY_DIR}/generated)
