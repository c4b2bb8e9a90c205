# A Windows binary without a C runtime: its own entry point, the GUI
# subsystem of Windows Vista and later (6.0: Windows then gives the program
# the current window frames and metrics), unused sections dropped, stripped,
# the same bytes every build.
# libgcc is linked statically for the stack probe that frames over 4 KiB need
# (and 64-bit division); what a target links before this call comes first.
function(tandrel_freestanding_binary target entry)
  target_link_libraries(${target} PRIVATE tandrel_freestanding kernel32 user32 gcc)
  target_link_options(${target} PRIVATE
    -nostdlib -nostartfiles
    -Wl,--entry=${entry}
    -Wl,--subsystem,windows:6.0
    -Wl,--major-os-version,6 -Wl,--minor-os-version,0
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
include(${PROJECT_SOURCE_DIR}/cmake/WindowsResources.cmake)
tandrel_resources(Tandrel ${PROJECT_SOURCE_DIR}/app/Tandrel.rc
  ${PROJECT_SOURCE_DIR}/app/Tandrel.manifest)
set_target_properties(Tandrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The budget of a shipped binary, checked after every link (the build fails
# when it is exceeded) and again as a test; with it its resources: the
# project's version, subsystem version 6.0 and, with MANIFEST, the manifest
# of that resource ID.
function(tandrel_check_budget target max_bytes)
  cmake_parse_arguments(PARSE_ARGV 2 budget "" "ORDINAL;SUBSYSTEM;EXPORT;MANIFEST"
                        "ALLOWED")
  string(JOIN "," allowed ${budget_ALLOWED})
  set(check ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}>
      -DOBJDUMP=${CMAKE_OBJDUMP} -DMAX_BYTES=${max_bytes} -DALLOWED=${allowed}
      -DORDINAL=${budget_ORDINAL} -DSUBSYSTEM=${budget_SUBSYSTEM}
      -DEXPORT=${budget_EXPORT} -DWINDRES=${CMAKE_RC_COMPILER}
      -DMANIFEST=${budget_MANIFEST} -DVERSION=${PROJECT_VERSION}
      -DSUBSYSTEM_VERSION=6.0
      -P ${PROJECT_SOURCE_DIR}/cmake/CheckBinary.cmake)
  add_custom_command(TARGET ${target} POST_BUILD COMMAND ${check} VERBATIM)
  add_test(NAME budget.${target} COMMAND ${check})
endfunction()

tandrel_check_budget(Tandrel 16384
  ALLOWED KERNEL32.dll USER32.dll Vorlick.dll
  ORDINAL Vorlick.dll:755 SUBSYSTEM 2 MANIFEST 1)
