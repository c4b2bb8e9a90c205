# Release packages: Tandrel-<version>-win32.zip on Windows, a .deb on Linux.
set(CPACK_PACKAGE_NAME Tandrel)
set(CPACK_PACKAGE_VENDOR "Tandrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "Tandrel developers <tandrel@users.noreply.example>")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS Tandrel RUNTIME DESTINATION .)
  if(TARGET vorlick)
    install(TARGETS vorlick RUNTIME DESTINATION . LIBRARY DESTINATION .)
  endif()
  # Windows users read it in Notepad: CR LF line ends.
  configure_file(docs/windows/README.txt ${CMAKE_BINARY_DIR}/package/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Tandrel-${PROJECT_VERSION}-win32")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_PACKAGE_NAME tandrel)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  # Depends: the C (and C++) runtime that tandrel and libvorlick.so need,
  # not GTK, which only the helper loads, for the GTK box only; without it
  # the terminal box still works.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgtk-3-0")
  # tandrel-ask's libraries count too: it links libsystemd (--session).
  if(TARGET tandrel AND TARGET vorlick AND TARGET tandrel-ask)
    set(depends_config ${CMAKE_BINARY_DIR}/DebianDepends.cmake)
    file(GENERATE OUTPUT ${depends_config} CONTENT
"set(TANDREL_DEPENDS_ON \"$<TARGET_FILE:tandrel>;$<TARGET_FILE:vorlick>;$<TARGET_FILE:tandrel-ask>\")
include(${PROJECT_SOURCE_DIR}/cmake/DebianDepends.cmake)
")
    set(CPACK_PROJECT_CONFIG_FILE ${depends_config})
  endif()
endif()
include(CPack)
