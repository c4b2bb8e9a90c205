# tandrel: the native program, linked at load time against libvorlick.so (no
# dlopen: without the library the program does not start, as on Windows).
include(GNUInstallDirs)

add_executable(tandrel app/entry_posix.cpp)
tandrel_program_options(tandrel)
target_link_libraries(tandrel PRIVATE tandrel_core tandrel_platform_ui vorlick)
set_target_properties(tandrel PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
  INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(TARGETS tandrel vorlick
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
