# Development only, never shipped: the tests, the stand-in configuration manager and its bus, the
# benchmarks and the fuzz target, each with dependencies of its own. The tool's build above needs
# none of them.
if(CMAKE_VERSION VERSION_LESS 3.22)
  message(FATAL_ERROR "Developer mode needs CMake 3.22 or newer; the tool alone builds with 3.16.")
endif()
include(CTest)
option(TRIPLE_IMPORT_FUZZ "Build the fuzz target and its test instead of the suites (clang only)" OFF)
option(TRIPLE_IMPORT_BENCH "Build the benchmarks" OFF)
if(BUILD_TESTING AND NOT CMAKE_CROSSCOMPILING)
  set(dev_tools_default ON)
else()
  set(dev_tools_default OFF)
endif()
option(TRIPLE_IMPORT_DEV_TOOLS "Build the development tools for this machine" ${dev_tools_default})

if(TRIPLE_IMPORT_SANITIZE)
  # Keeps the sanitized tool quiet about its one intended allocation.
  target_sources(triple_import PRIVATE ${PROJECT_SOURCE_DIR}/tools/leak_suppressions.cpp)
endif()

include(tools/gateway-bus-names.cmake)
if(TRIPLE_IMPORT_DEV_TOOLS)
  add_subdirectory(tools)
endif()
if(TRIPLE_IMPORT_BENCH)
  add_subdirectory(tools/bench)
endif()
if(BUILD_TESTING AND TRIPLE_IMPORT_FUZZ)
  add_subdirectory(tests/fuzz)
elseif(BUILD_TESTING)
  add_subdirectory(tests)
endif()
