# Release packages: Tandrel-<version>-win32.zip on Windows (both components
# in one folder), on Linux a .deb for each component (cmake/Install.cmake):
# tandrel, the program, and tandrel-dev, the caller's kit. The kit is a
# package of its own, as Debian does it: a machine that runs tandrel needs
# no headers, and a program built with the kit needs only tandrel to run.
set(CPACK_PACKAGE_NAME Tandrel)
set(CPACK_PACKAGE_VENDOR "Tandrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tandrel developers <tandrel@users.noreply.example>")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Tandrel-${PROJECT_VERSION}-win32")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
  return()
endif()

set(CPACK_GENERATOR DEB)
if(NOT TARGET tandrel OR NOT TARGET tandrel_client)
  include(CPack)
  return()
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${TANDREL_COMPONENTS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Each package's description: its own synopsis, then the extended text.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME tandrel)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "shows one message box for another program
tandrel reads a short tagged request file (title, body, MessageBox style,
time-out, default button), shows the message box it asks for and exits with
the answer: the button chosen, or the time-out's status. It deletes the
request file it read once the box is gone. The box is shown with GTK 3
where a display can be opened, otherwise on the terminal. tandrel-ask
writes the request and runs tandrel for a script. The same request files
are read by the Windows program Tandrel.exe.")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME tandrel-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "caller's kit for asking through tandrel from C++ programs
A static library with its headers (C++17, in /usr/include/tandrel/) that
writes requests tandrel reads back unchanged, refusing values a request
cannot carry, and runs tandrel on them with the exact command line: Ask()
returns the button chosen, the time-out or why nothing was shown. Found by
CMake (find_package(Tandrel), the target Tandrel::client) and by pkg-config
(tandrel-client).")
# Depends: the C (and C++) runtime that tandrel and libvorlick.so need,
# not GTK, which only the helper loads, for the GTK box only; without it
# the terminal box still works. The kit needs the program it runs, of its
# own version, and the -dev packages of the libraries it links. tandrel-ask
# counts too: it links libsystemd (--session).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "libgtk-3-0")
set(depends_config ${CMAKE_BINARY_DIR}/DebianDepends.cmake)
get_target_property(kit_modules tandrel_client TANDREL_PKG_MODULES)
if(NOT kit_modules)
  set(kit_modules "")
endif()
file(GENERATE OUTPUT ${depends_config} CONTENT
"set(TANDREL_DEPENDS_ON \"$<TARGET_FILE:tandrel>;$<TARGET_FILE:vorlick>;$<TARGET_FILE:tandrel-ask>\")
set(TANDREL_KIT_MODULES \"${kit_modules}\")
set(TANDREL_VERSION \"${PROJECT_VERSION}\")
include(${PROJECT_SOURCE_DIR}/cmake/DebianDepends.cmake)
")
set(CPACK_PROJECT_CONFIG_FILE ${depends_config})
include(CPack)
