# The tests and development tools look for their dependencies only when they are built, and one
# that is missing says which Debian package brings it (scripts/ensure-packages installs them all).
# The tool itself needs none of them: without developer mode it builds with a compiler alone.
function(dependency_missing what debian_package)
  message(FATAL_ERROR "${what} not found: install Debian's package ${debian_package}, or configure "
          "without -DTRIPLE_IMPORT_DEVELOPER_MODE=ON to build the tool alone.")
endfunction()

macro(require_package name debian_package)
  find_package(${name} ${ARGN} QUIET)
  if(NOT ${name}_FOUND)
    dependency_missing("${name}" ${debian_package})
  endif()
endmacro()

function(require_program variable name debian_package)
  find_program(${variable} ${name})
  if(NOT ${variable})
    dependency_missing("The program ${name}" ${debian_package})
  endif()
endfunction()
