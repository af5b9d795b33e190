# What an installation and the packages hold. Every destination is below the prefix, so that
# `cmake --install BUILD --prefix DIR` and DESTDIR=DIR write nothing outside DIR; only the .deb
# adds the files that Debian's layout wants under /usr/share (component debian, below).

include(GNUInstallDirs)

# Folders that an installation makes (cmake --install into a gateway's root file system) do not
# depend on the umask; the packages get the same from cpack's scripts below.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS ${programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Compresses a file of the source tree into the build folder as Debian does: no name or time
# stamp inside, so the same file gives the same bytes.
function(add_debian_gzip target file)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${name}.gz COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/${file} > ${name}.gz
                     DEPENDS ${file} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${name}.gz)
endfunction()

foreach(program IN LISTS programs)
  add_debian_gzip(${program}_manual doc/${program}.1)
  install(FILES ${PROJECT_BINARY_DIR}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
# An installed tree tells which release it holds.
file(GENERATE OUTPUT VERSION CONTENT "${PROJECT_NAME} ${PROJECT_VERSION}\n")
install(FILES ${PROJECT_BINARY_DIR}/VERSION DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME triple-import)
set(CPACK_PACKAGE_CONTACT "triple_import developers <triple-import@quorvale.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "store a file of device triples in a gateway's configuration manager")
set(CPACK_PACKAGE_DESCRIPTION [=[Two programs that provision a gateway's device list: triple_import stores
the devices of a triple file in the gateway's configuration manager, and
triple_check says beforehand what it would refuse or store wrong.
.
Built for the gateway's own layout under /quorvale/gateway/build, with the
gateway's C library and loader.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The tool sends through dbus-send, which Debian 12 ships in dbus-bin and Debian 11 in dbus.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "dbus-bin | dbus")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
# The same commit gives the same packages: times from SOURCE_DATE_EPOCH (by default the last
# commit's), modes that do not depend on the umask, and a .tar.gz with root as the owner (cpack
# runs these scripts from CMake 3.19 on; an older one builds the same files, less normalised). The
# options file also adds the component debian to the .deb alone.
configure_file(packaging/cpack-options.cmake.in cpack-options.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack-options.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/normalise-staging.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/normalise-packages.cmake)
set(CPACK_TRIPLE_IMPORT_AR ${CMAKE_AR})
if(BUILD_FOR_GATEWAY)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE armhf)
  set(CPACK_SYSTEM_NAME linux-armhf)
  # What the package says of itself goes where Debian looks for it, whatever the tool's prefix;
  # the overrides declare what the gateway's layout forces on the package. Only the .deb installs
  # them (EXCLUDE_FROM_ALL keeps them out of every other installation).
  set(CPACK_SET_DESTDIR ON)
  add_debian_gzip(changelog packaging/changelog)
  install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz
          DESTINATION /usr/share/doc/${CPACK_PACKAGE_NAME} COMPONENT debian EXCLUDE_FROM_ALL)
  install(FILES packaging/lintian-overrides DESTINATION /usr/share/lintian/overrides
          RENAME ${CPACK_PACKAGE_NAME} COMPONENT debian EXCLUDE_FROM_ALL)
endif()
include(CPack)
