# Everything `cmake --install` puts in place, and so what the packages hold:
# the one list of what ships.
if(WIN32)
  # The release zip's one folder: the program, its display library, the
  # caller's tool and the README, which Windows users read in Notepad
  # (CR LF line ends).
  install(TARGETS Tandrel vorlick RUNTIME DESTINATION .)
  if(TARGET tandrel-ask)
    install(TARGETS tandrel-ask RUNTIME DESTINATION .)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/docs/windows/README.txt ${PROJECT_BINARY_DIR}/package/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/package/README.txt DESTINATION .)
  return()
endif()

if(NOT TARGET tandrel)
  return()
endif()
include(GNUInstallDirs)
# The program finds the library through its run path ($ORIGIN/../lib), the
# library its GTK helper in tandrel/ beside it.
install(TARGETS tandrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS vorlick LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS vorlick_gtk RUNTIME DESTINATION ${CMAKE_INSTALL_LIBDIR}/tandrel)
if(TARGET tandrel-ask)
  install(TARGETS tandrel-ask RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/client/tandrel-ask.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
