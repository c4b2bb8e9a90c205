# A Windows binary without a C runtime: its own entry point, the GUI
# subsystem, unused sections dropped, stripped, the same bytes every build.
# libgcc is linked statically for the stack probe that frames over 4 KiB need
# (and 64-bit division); what a target links before this call comes first.
function(tandrel_freestanding_binary target entry)
  target_link_libraries(${target} PRIVATE tandrel_freestanding kernel32 user32 gcc)
  target_link_options(${target} PRIVATE
    -nostdlib -nostartfiles
    -Wl,--entry=${entry}
    -Wl,--subsystem,windows
    -Wl,--gc-sections
    -Wl,--strip-all
    -Wl,--no-insert-timestamp)
endfunction()

# Tandrel.exe: a GUI program that imports only from KERNEL32.dll, USER32.dll
# and Vorlick.dll.
add_executable(Tandrel WIN32 app/entry_win.cpp)
tandrel_program_options(Tandrel)
target_link_libraries(Tandrel PRIVATE tandrel_core vorlick_import)
tandrel_freestanding_binary(Tandrel _TandrelEntry@0)
set_target_properties(Tandrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The budget of a shipped binary, checked after every link (the build fails
# when it is exceeded) and again as a test.
function(tandrel_check_budget target max_bytes)
  cmake_parse_arguments(PARSE_ARGV 2 budget "" "ORDINAL;SUBSYSTEM;EXPORT" "ALLOWED")
  string(JOIN "," allowed ${budget_ALLOWED})
  set(check ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}>
      -DOBJDUMP=${CMAKE_OBJDUMP} -DMAX_BYTES=${max_bytes} -DALLOWED=${allowed}
      -DORDINAL=${budget_ORDINAL} -DSUBSYSTEM=${budget_SUBSYSTEM}
      -DEXPORT=${budget_EXPORT}
      -P ${PROJECT_SOURCE_DIR}/cmake/CheckBinary.cmake)
  add_custom_command(TARGET ${target} POST_BUILD COMMAND ${check} VERBATIM)
  add_test(NAME budget.${target} COMMAND ${check})
endfunction()

tandrel_check_budget(Tandrel 16384
  ALLOWED KERNEL32.dll USER32.dll Vorlick.dll
  ORDINAL Vorlick.dll:755 SUBSYSTEM 2)
