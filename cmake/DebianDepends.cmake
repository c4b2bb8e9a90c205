# Run by cpack for the .debs (CPACK_PROJECT_CONFIG_FILE, with
# TANDREL_DEPENDS_ON set to the built tandrel and libvorlick.so and
# TANDREL_KIT_MODULES to the pkg-config modules the kit links).
# tandrel depends on what those two need, as dpkg-shlibdeps finds it, and not
# on what the GTK helper needs: a machine that only ever shows the terminal
# box must not be made to install GTK; GTK is recommended instead.
# tandrel-dev depends on tandrel of its own version and on the packages that
# hold the modules' .pc files (their -dev packages).
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
# Each package's description starts with its own synopsis: no summary of
# the project's (which CPack takes from project()) is put before them.
unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
set(work "${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/shlibdeps")
file(MAKE_DIRECTORY "${work}/debian")
# dpkg-shlibdeps reads the package's name from a control file.
file(WRITE "${work}/debian/control"
     "Source: tandrel\n\nPackage: tandrel\nArchitecture: any\n")
execute_process(
  COMMAND dpkg-shlibdeps --ignore-missing-info -O ${TANDREL_DEPENDS_ON}
  WORKING_DIRECTORY "${work}"
  OUTPUT_VARIABLE found ERROR_VARIABLE warnings RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dpkg-shlibdeps failed: ${warnings}")
endif()
string(REGEX REPLACE "^.*Depends=" "" depends "${found}")
string(STRIP "${depends}" depends)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "${depends}")

set(kit_depends "tandrel (= ${TANDREL_VERSION})")
foreach(module IN LISTS TANDREL_KIT_MODULES)
  execute_process(COMMAND pkg-config --variable=pcfiledir ${module}
    OUTPUT_VARIABLE folder OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND dpkg-query -S ${folder}/${module}.pc
      OUTPUT_VARIABLE owner OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  endif()
  if(failed)
    message(FATAL_ERROR "no Debian package holds the kit's module ${module}")
  endif()
  string(REGEX REPLACE ":.*$" "" owner "${owner}")
  string(APPEND kit_depends ", ${owner}")
endforeach()
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${kit_depends}")
