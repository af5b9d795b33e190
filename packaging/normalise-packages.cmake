# Run by cpack once the packages are built, so that they do not depend on who builds them:
# - the .tar.gz carries the owners of the files as they were staged, the builder's, its top
#   folder as the builder's umask made it, and the order in which the folders list their files:
#   GNU tar writes it again with root as the owner, modes that only the owner can write, the
#   entries sorted and the time SOURCE_DATE_EPOCH, and gzip without a name or a time stamp;
# - the members of the .deb have the modes of the builder's umask: ar writes it again in its
#   deterministic mode (owner root, mode 644, time 0), members in the same order;
# - the .deb's Installed-Size counts the folders' sizes on the builder's file system (below).
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  set(unpacked "${package}.unpacked")
  file(REMOVE_RECURSE "${unpacked}")
  file(MAKE_DIRECTORY "${unpacked}")
  if(package MATCHES "\\.tar\\.gz$")
    execute_process(COMMAND tar -xzf "${package}" -C "${unpacked}" COMMAND_ERROR_IS_FATAL ANY)
    file(GLOB top RELATIVE "${unpacked}" "${unpacked}/*")
    execute_process(COMMAND tar --create --format=gnu --sort=name --owner=root:0 --group=root:0
                            --mode=u+w,go-w,a+rX --mtime=@$ENV{SOURCE_DATE_EPOCH}
                            -C "${unpacked}" ${top}
                    COMMAND gzip -9n
                    OUTPUT_FILE "${package}" COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "\\.deb$")
    execute_process(COMMAND "${CPACK_TRIPLE_IMPORT_AR}" x "${package}"
                    WORKING_DIRECTORY "${unpacked}" COMMAND_ERROR_IS_FATAL ANY)
    # cpack adds the folders' own sizes into Installed-Size, which are the builder's file system's:
    # counted again as dpkg does, a KiB for each folder and each file's size in KiB, rounded up.
    file(MAKE_DIRECTORY "${unpacked}/data" "${unpacked}/control")
    execute_process(COMMAND tar -xzf data.tar.gz -C data WORKING_DIRECTORY "${unpacked}"
                    COMMAND_ERROR_IS_FATAL ANY)
    file(GLOB_RECURSE entries LIST_DIRECTORIES true "${unpacked}/data/*")
    set(kib 0)
    foreach(entry IN LISTS entries)
      set(bytes 1)
      if(NOT IS_DIRECTORY "${entry}")
        file(SIZE "${entry}" bytes)
      endif()
      math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endforeach()
    execute_process(COMMAND tar -xzf control.tar.gz -C control WORKING_DIRECTORY "${unpacked}"
                    COMMAND_ERROR_IS_FATAL ANY)
    file(READ "${unpacked}/control/control" control)
    string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kib}" control "${control}")
    file(WRITE "${unpacked}/control/control" "${control}")
    file(GLOB members RELATIVE "${unpacked}/control" "${unpacked}/control/*")
    list(TRANSFORM members PREPEND ./)
    execute_process(COMMAND tar --create --format=gnu --sort=name --owner=root:0 --group=root:0
                            --mode=u+w,go-w,a+rX --mtime=@$ENV{SOURCE_DATE_EPOCH}
                            -C "${unpacked}/control" ${members}
                    COMMAND gzip -9n
                    OUTPUT_FILE "${unpacked}/control.tar.gz" COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE "${package}")
    execute_process(COMMAND "${CPACK_TRIPLE_IMPORT_AR}" rcD "${package}" debian-binary
                            control.tar.gz data.tar.gz
                    WORKING_DIRECTORY "${unpacked}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(REMOVE_RECURSE "${unpacked}")
endforeach()
