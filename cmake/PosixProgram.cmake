# tandrel: the native program, linked at load time against libvorlick.so (no
# dlopen: without the library the program does not start, as on Windows).
# Its own code needs the C library alone; --as-needed keeps it that way.
include(GNUInstallDirs)

add_executable(tandrel app/entry_posix.cpp)
tandrel_program_options(tandrel)
target_link_libraries(tandrel PRIVATE tandrel_core tandrel_platform_ui vorlick)
target_link_options(tandrel PRIVATE -Wl,--as-needed)
set_target_properties(tandrel PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
  INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

# The GTK helper goes where the library looks for it: tandrel/ beside it.
install(TARGETS tandrel vorlick
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS vorlick_gtk RUNTIME DESTINATION ${CMAKE_INSTALL_LIBDIR}/tandrel)
