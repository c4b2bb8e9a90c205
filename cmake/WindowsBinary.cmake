# How a shipped Windows binary is made and checked: Tandrel.exe (app/),
# Vorlick.dll (display/win) and tandrel-ask.exe (client/).
include(${CMAKE_CURRENT_LIST_DIR}/WindowsResources.cmake)

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
