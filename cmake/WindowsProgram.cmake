# Tandrel.exe: a GUI program without a C runtime. It imports only from
# KERNEL32.dll, USER32.dll and Vorlick.dll; libgcc is linked statically for
# the stack probe that frames over 4 KiB need.
add_executable(Tandrel WIN32 app/entry_win.cpp)
tandrel_program_options(Tandrel)
target_link_libraries(Tandrel PRIVATE
  tandrel_core tandrel_freestanding vorlick_import kernel32 user32 gcc)
target_link_options(Tandrel PRIVATE
  -nostdlib -nostartfiles
  -Wl,--entry=_TandrelEntry@0
  -Wl,--subsystem,windows
  -Wl,--gc-sections
  -Wl,--strip-all
  -Wl,--no-insert-timestamp)
set_target_properties(Tandrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
