# The resource checks of CheckBinary.cmake. windres reads a binary's
# resources back as a resource script, in which the version information and
# each manifest stand as text.

# What every manifest of ours holds: the version-6 common controls.
set(tandrel_manifest_needs
  "<assemblyIdentity[^>]* name=\"Microsoft.Windows.Common-Controls\"[^>]*>")
set(tandrel_controls_needs
  "version=\"6\\.0\\.0\\.0\"" "processorArchitecture=\"x86\""
  "publicKeyToken=\"6595b64144ccf1df\"")
# What a program's own manifest holds on top: per-monitor DPI awareness (V2,
# and per-monitor on Windows 8.1 for the systems that know no V2), the
# Windows versions it was made for (10 and 11, 8.1, 8, 7), no elevation.
set(tandrel_program_needs
  "<dpiAwareness[^>]*>PerMonitorV2</dpiAwareness>"
  "<dpiAware[^>]*>true/pm</dpiAware>"
  "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"
  "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>"
  "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>"
  "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>"
  "<requestedExecutionLevel level=\"asInvoker\"")

# The text of manifest `id` in `script`, as the binary holds it.
function(tandrel_manifest_text script id out)
  string(FIND "${script}" "\n${id} 24 /* RT_MANIFEST */\nBEGIN\n" start)
  if(start LESS 0)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  string(SUBSTRING "${script}" ${start} -1 block)
  string(FIND "${block}" "BEGIN\n" begin)
  string(FIND "${block}" "\nEND\n" end)
  math(EXPR begin "${begin} + 6")
  math(EXPR length "${end} - ${begin}")
  string(SUBSTRING "${block}" ${begin} ${length} block)
  # One quoted chunk a line: join them, then undo the script's escapes.
  string(REGEX REPLACE "\"\n *\"" "" block "${block}")
  string(REGEX REPLACE "^ *\"(.*)\"$" "\\1" block "${block}")
  string(REPLACE "\"\"" "\"" block "${block}")
  string(REPLACE "\\n" "\n" block "${block}")
  set(${out} "${block}" PARENT_SCOPE)
endfunction()

function(tandrel_check_manifest script name id)
  string(REGEX MATCHALL "\n[0-9]+ 24 /\\* RT_MANIFEST \\*/" all "${script}")
  if(NOT all STREQUAL "\n${id} 24 /* RT_MANIFEST */")
    message(FATAL_ERROR "${name} must hold one manifest, resource ${id}; "
                        "found:${all}")
  endif()
  tandrel_manifest_text("${script}" ${id} manifest)
  if(NOT manifest MATCHES "${tandrel_manifest_needs}")
    message(FATAL_ERROR "${name}'s manifest lacks the common controls")
  endif()
  set(controls "${CMAKE_MATCH_0}")
  foreach(need IN LISTS tandrel_controls_needs)
    if(NOT controls MATCHES "${need}")
      message(FATAL_ERROR "${name}'s manifest: the common controls lack ${need}")
    endif()
  endforeach()
  if(id EQUAL 1)
    foreach(need IN LISTS tandrel_program_needs)
      if(NOT manifest MATCHES "${need}")
        message(FATAL_ERROR "${name}'s manifest lacks ${need}")
      endif()
    endforeach()
  endif()
endfunction()

function(tandrel_check_version script name version)
  string(REPLACE "." ";" numbers "${version};0;0;0")
  list(SUBLIST numbers 0 4 numbers)
  string(JOIN ", " numbers ${numbers})
  string(REGEX MATCHALL "\n[^\n]* VERSIONINFO\n" blocks "${script}")
  list(LENGTH blocks count)
  set(needs "\n FILEVERSION ${numbers}\n" "\n PRODUCTVERSION ${numbers}\n"
      "VALUE \"FileVersion\", \"${version}\"\n"
      "VALUE \"ProductVersion\", \"${version}\"\n"
      "VALUE \"FileDescription\", \"[^\"\n]+\"\n"
      "VALUE \"ProductName\", \"[^\"\n]+\"\n")
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "${name} must hold one VERSIONINFO; found ${count}")
  endif()
  foreach(need IN LISTS needs)
    if(NOT script MATCHES "${need}")
      message(FATAL_ERROR "${name}'s version information lacks ${need}")
    endif()
  endforeach()
endfunction()

function(tandrel_check_resources file windres manifest version)
  get_filename_component(name "${file}" NAME)
  execute_process(COMMAND ${windres} -J coff -O rc -i "${file}"
                  OUTPUT_VARIABLE script RESULT_VARIABLE status ERROR_VARIABLE error)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${windres} could not read the resources of ${name}: ${error}")
  endif()
  if(manifest)
    tandrel_check_manifest("${script}" ${name} ${manifest})
  endif()
  if(version)
    tandrel_check_version("${script}" ${name} ${version})
  endif()
endfunction()
