# Run by cpack for the .deb (CPACK_PROJECT_CONFIG_FILE, with TANDREL_DEPENDS_ON
# set to the built tandrel and libvorlick.so): the package depends on what
# those two need, as dpkg-shlibdeps finds it, and not on what the GTK helper
# needs. A machine that only ever shows the terminal box must not be made to
# install GTK; GTK is recommended instead.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
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
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${depends}")
