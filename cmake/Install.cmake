# Everything `cmake --install` puts in place, and so what the packages hold:
# the one list of what ships. Two components: `program` (the program, its
# display library, tandrel-ask and their manual pages) and `dev` (the
# caller's kit for C++ programs); the .deb makes a package of each, the
# Windows zip holds both.
include(CMakePackageConfigHelpers)

# The components and, in the same order, the .deb made of each.
set(TANDREL_COMPONENTS program dev)
set(TANDREL_PACKAGES tandrel tandrel-dev)

# The caller's kit, on both platforms: its headers in include/tandrel/ (the
# tandrel_client target's header set, client/CMakeLists.txt), the static
# library, TandrelConfig.cmake with the imported target Tandrel::client, and
# tandrel-client.pc. Both describe the installed tree relative to their own
# place, so the tree may be moved (the Windows zip is unpacked anywhere).
# The library and its descriptions go in the multiarch folder where the
# system has one (lib/x86_64-linux-gnu on Debian), as the system's own
# libraries for building do; pkg-config finds them there.
set(TANDREL_KIT_LIBDIR ${CMAKE_INSTALL_LIBDIR})
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT WIN32)
  set(TANDREL_KIT_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE})
endif()

function(tandrel_install_kit)
  set(libdir ${TANDREL_KIT_LIBDIR})
  set_target_properties(tandrel_client PROPERTIES EXPORT_NAME client)
  install(TARGETS tandrel_client EXPORT TandrelTargets
    ARCHIVE DESTINATION ${libdir} COMPONENT dev
    FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tandrel COMPONENT dev
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  # A stripped install (the packages) strips the archive of its debugging
  # information too, which install(TARGETS) does only for programs.
  set(archive "${libdir}/$<TARGET_FILE_NAME:tandrel_client>")
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
        --remove-section=.comment \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${archive}\")
    endif()" COMPONENT dev)
  install(EXPORT TandrelTargets NAMESPACE Tandrel::
    DESTINATION ${libdir}/cmake/Tandrel COMPONENT dev)
  tandrel_install_kit_descriptions()
endfunction()

# TandrelConfig.cmake and tandrel-client.pc. The system libraries the kit
# links (tandrel_client_requires) are found again by the one and required
# by the other: as Requires, not Requires.private, since the kit is a static
# library only and `pkg-config --libs` leaves out Requires.private's
# libraries.
function(tandrel_install_kit_descriptions)
  set(libdir ${TANDREL_KIT_LIBDIR})
  set(out ${PROJECT_BINARY_DIR}/kit)
  get_target_property(TANDREL_CLIENT_MODULES tandrel_client TANDREL_PKG_MODULES)
  if(NOT TANDREL_CLIENT_MODULES)
    set(TANDREL_CLIENT_MODULES "")
  endif()
  string(REPLACE ";" ", " TANDREL_CLIENT_REQUIRES "${TANDREL_CLIENT_MODULES}")
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TandrelConfig.cmake.in
    ${out}/TandrelConfig.cmake INSTALL_DESTINATION ${libdir}/cmake/Tandrel)
  write_basic_package_version_file(${out}/TandrelConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
  install(FILES ${out}/TandrelConfig.cmake ${out}/TandrelConfigVersion.cmake
    DESTINATION ${libdir}/cmake/Tandrel COMPONENT dev)
  # The prefix is found from the .pc file's own folder.
  file(RELATIVE_PATH TANDREL_PC_UP /prefix/${libdir}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" TANDREL_PC_UP "${TANDREL_PC_UP}")
  set(TANDREL_PC_LIBDIR ${libdir})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/tandrel-client.pc.in
    ${out}/tandrel-client.pc @ONLY)
  install(FILES ${out}/tandrel-client.pc
    DESTINATION ${libdir}/pkgconfig COMPONENT dev)
endfunction()

if(WIN32)
  # The release zip's one folder: the program, its display library, the
  # caller's tool and the README, which Windows users read in Notepad
  # (CR LF line ends); the NSIS header with its example installer in nsis/;
  # the kit for MinGW in include/ and lib/.
  install(TARGETS Tandrel vorlick RUNTIME DESTINATION . COMPONENT program)
  if(TARGET tandrel_client)
    install(TARGETS tandrel-ask RUNTIME DESTINATION . COMPONENT program)
    install(FILES ${PROJECT_SOURCE_DIR}/client/nsis/Tandrel.nsh
                  ${PROJECT_SOURCE_DIR}/client/nsis/example.nsi
            DESTINATION nsis COMPONENT dev)
    tandrel_install_kit()
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/docs/windows/README.txt ${PROJECT_BINARY_DIR}/package/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/package/README.txt DESTINATION . COMPONENT program)
  return()
endif()

if(NOT TARGET tandrel)
  return()
endif()
# The program finds the library through its run path, the library its GTK
# helper beside it: both in the program's private folder.
install(TARGETS tandrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
install(TARGETS vorlick LIBRARY DESTINATION ${TANDREL_PRIVATE_LIBDIR} COMPONENT program)
install(TARGETS vorlick_gtk RUNTIME DESTINATION ${TANDREL_PRIVATE_LIBDIR} COMPONENT program)
install(FILES ${PROJECT_BINARY_DIR}/app/tandrel.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
if(TARGET tandrel_client)
  install(TARGETS tandrel-ask RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
  install(FILES ${PROJECT_BINARY_DIR}/client/tandrel-ask.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  tandrel_install_kit()
endif()
# Each package's copyright and changelog, as Debian keeps them (a native
# package's changelog is changelog.gz), and lintian's overrides, were any
# needed: packaging/debian/PACKAGE.lintian-overrides, a comment with the
# reason above each line.
set(debian ${PROJECT_SOURCE_DIR}/packaging/debian)
tandrel_gzip(tandrel_changelog ${debian}/changelog
  ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
foreach(component package IN ZIP_LISTS TANDREL_COMPONENTS TANDREL_PACKAGES)
  set(doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package})
  install(FILES ${debian}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
          DESTINATION ${doc} COMPONENT ${component})
  if(EXISTS ${debian}/${package}.lintian-overrides)
    install(FILES ${debian}/${package}.lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
            RENAME ${package} COMPONENT ${component})
  endif()
endforeach()
