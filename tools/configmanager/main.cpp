// configmanager: a stand-in for the gateway's configuration manager, for development and tests.
// It owns its name on the given bus and keeps set_config values in a JSON store. Started by the
// bus on the first call to its name, it takes the bus from DBUS_STARTER_ADDRESS and the store
// from CONFIGMANAGER_STORE.
#include <systemd/sd-bus.h>
#include <systemd/sd-event.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "config_store.h"

namespace {

const std::string kErrors = std::string(kConfigManagerInterface) + ".Error.";
const std::string kInvalidValue = kErrors + "InvalidValue";
const std::string kUnknownKey = kErrors + "UnknownKey";
const std::string kStoreFailed = kErrors + "StoreFailed";

int set_config(sd_bus_message* call, void* context, sd_bus_error* error) try {
  const char* key;
  const char* value;
  const int r = sd_bus_message_read(call, "ss", &key, &value);
  if (r < 0) return r;
  ConfigStore::Result result = static_cast<ConfigStore*>(context)->set(key, value);
  switch (result.outcome) {
    case ConfigStore::Outcome::kInvalidValue:
      std::fprintf(stderr, "configmanager: refused %s: %s\n", key, result.message.c_str());
      return sd_bus_error_set(error, kInvalidValue.c_str(), result.message.c_str());
    case ConfigStore::Outcome::kWriteFailed:
      std::fprintf(stderr, "configmanager: cannot store %s: %s\n", key, result.message.c_str());
      return sd_bus_error_set(error, kStoreFailed.c_str(), result.message.c_str());
    case ConfigStore::Outcome::kStored:
      break;
  }
  std::fprintf(stderr, "configmanager: stored %s\n", key);
  return sd_bus_reply_method_return(call, "");
} catch (const std::exception& e) {
  return sd_bus_error_set(error, SD_BUS_ERROR_FAILED, e.what());
}

int get_config(sd_bus_message* call, void* context, sd_bus_error* error) try {
  const char* key;
  const int r = sd_bus_message_read(call, "s", &key);
  if (r < 0) return r;
  const std::optional<std::string> value = static_cast<ConfigStore*>(context)->get(key);
  if (!value)
    return sd_bus_error_setf(error, kUnknownKey.c_str(), "no value is stored for %s", key);
  return sd_bus_reply_method_return(call, "s", value->c_str());
} catch (const std::exception& e) {
  return sd_bus_error_set(error, SD_BUS_ERROR_FAILED, e.what());
}

const sd_bus_vtable kVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("set_config", "ss", "", set_config, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("get_config", "s", "s", get_config, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_VTABLE_END,
};

int fail(const char* what, int r) {
  std::fprintf(stderr, "configmanager: %s: %s\n", what, std::strerror(-r));
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  const char* address = argc == 3 ? argv[1] : std::getenv("DBUS_STARTER_ADDRESS");
  const char* store_file = argc == 3 ? argv[2] : std::getenv("CONFIGMANAGER_STORE");
  if ((argc != 1 && argc != 3) || !address || !store_file) {
    std::fprintf(stderr,
                 "Usage: %s BUS_ADDRESS STORE_FILE\n"
                 "   or: started by the bus, with CONFIGMANAGER_STORE in the environment\n",
                 argc > 0 ? argv[0] : "configmanager");
    return 2;
  }
  ConfigStore store(store_file);
  const std::string problem = store.load();
  if (!problem.empty()) {
    std::fprintf(stderr, "configmanager: %s\n", problem.c_str());
    return 1;
  }

  // The signals are taken by the event loop, which then ends and lets the bus go cleanly.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigprocmask(SIG_BLOCK, &signals, nullptr);

  sd_event* event = nullptr;
  sd_bus* bus = nullptr;
  int r = sd_event_new(&event);
  if (r < 0) return fail("event loop", r);
  for (int signal : {SIGTERM, SIGINT}) {
    r = sd_event_add_signal(event, nullptr, signal, nullptr, nullptr);
    if (r < 0) return fail("signal", r);
  }
  if ((r = sd_bus_new(&bus)) < 0) return fail("bus", r);
  if ((r = sd_bus_set_address(bus, address)) < 0) return fail("bus address", r);
  sd_bus_set_bus_client(bus, 1);
  if ((r = sd_bus_start(bus)) < 0) return fail(address, r);
  r = sd_bus_add_object_vtable(bus, nullptr, kConfigManagerPath, kConfigManagerInterface, kVtable,
                               &store);
  if (r < 0) return fail("object", r);
  if ((r = sd_bus_request_name(bus, kConfigManagerName, 0)) < 0) return fail(kConfigManagerName, r);
  sd_bus_set_exit_on_disconnect(bus, 1);
  if ((r = sd_bus_attach_event(bus, event, SD_EVENT_PRIORITY_NORMAL)) < 0) return fail("attach", r);

  std::fprintf(stderr, "configmanager: serving %s on %s\n", kConfigManagerName, address);
  r = sd_event_loop(event);
  sd_bus_flush_close_unref(bus);
  sd_event_unref(event);
  if (r < 0) return fail("event loop", r);
  std::fprintf(stderr, "configmanager: stopped\n");
  return 0;
}
