# Checks a built PE file against its budget; run with cmake -P.
#   FILE       the binary
#   OBJDUMP    the MinGW objdump
#   MAX_BYTES  largest allowed size
#   ALLOWED    comma-separated DLLs it may import from (any case)
#   ORDINAL    optional "Dll.dll:N": must import ordinal N from Dll.dll, no name
#   SUBSYSTEM  optional: 2 for a GUI program
#   EXPORT     optional N: must export ordinal N only, without any name
#   WINDRES    the MinGW windres, which reads the resources back
#   MANIFEST   optional ID: its one manifest resource (1 for a program's
#              own, 2 for a library's), with the elements that ID needs
#   VERSION    optional: the project's version, which the version
#              information must carry in its numbers and its strings
#   SUBSYSTEM_VERSION  optional "major.minor" of the subsystem
cmake_minimum_required(VERSION 3.25)
file(SIZE "${FILE}" size)
get_filename_component(name "${FILE}" NAME)
if(size GREATER MAX_BYTES)
  message(FATAL_ERROR "${name} is ${size} bytes, over its budget of ${MAX_BYTES}")
endif()

execute_process(COMMAND ${OBJDUMP} -p -f "${FILE}" OUTPUT_VARIABLE dump
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${name}")
endif()
if(NOT dump MATCHES "file format pei-i386")
  message(FATAL_ERROR "${name} is not a 32-bit x86 PE file")
endif()

string(TOUPPER "${ALLOWED}" allowed)
string(REPLACE "," ";" allowed "${allowed}")
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(names "")
foreach(entry IN LISTS imports)
  string(REGEX REPLACE "DLL Name: *" "" dll "${entry}")
  string(STRIP "${dll}" dll)
  string(TOUPPER "${dll}" upper)
  list(APPEND names "${dll}")
  if(NOT upper IN_LIST allowed)
    message(FATAL_ERROR "${name} imports from ${dll}; allowed: ${ALLOWED}")
  endif()
endforeach()

if(ORDINAL)
  string(REPLACE ":" ";" parts "${ORDINAL}")
  list(GET parts 0 dll)
  list(GET parts 1 number)
  # The import's block: from its DLL name to the next blank line.
  string(FIND "${dump}" "DLL Name: ${dll}" start)
  if(start LESS 0)
    message(FATAL_ERROR "${name} does not import from ${dll}")
  endif()
  string(SUBSTRING "${dump}" ${start} -1 block)
  string(FIND "${block}" "\n\n" stop)
  string(SUBSTRING "${block}" 0 ${stop} block)
  string(REGEX MATCHALL "\n\t[0-9a-f]+\t +[0-9]+ +[^\n]*" entries "${block}")
  list(LENGTH entries count)
  if(NOT count EQUAL 1 OR NOT entries MATCHES "\t +${number} +<none>$")
    message(FATAL_ERROR "${name} must import only ordinal ${number} from ${dll}, "
                        "without a name; found:${entries}")
  endif()
endif()

if(EXPORT)
  string(REGEX MATCHALL "\\+base\\[ *[0-9]+\\]" exports "${dump}")
  if(NOT exports STREQUAL "+base[ ${EXPORT}]" OR
     NOT dump MATCHES "\\[Name Pointer/Ordinal\\] Table\t00000000")
    message(FATAL_ERROR "${name} must export ordinal ${EXPORT} only, without "
                        "a name; exports: ${exports}")
  endif()
endif()

if(SUBSYSTEM AND NOT dump MATCHES "Subsystem\t\t0000000${SUBSYSTEM}")
  message(FATAL_ERROR "${name} is not of subsystem ${SUBSYSTEM}")
endif()

if(SUBSYSTEM_VERSION)
  string(REPLACE "." ";" parts "${SUBSYSTEM_VERSION}")
  list(GET parts 0 major)
  list(GET parts 1 minor)
  if(NOT dump MATCHES "MajorSubsystemVersion\t${major}\n" OR
     NOT dump MATCHES "MinorSubsystemVersion\t${minor}\n")
    message(FATAL_ERROR "${name} is not of subsystem version ${SUBSYSTEM_VERSION}")
  endif()
endif()

if(MANIFEST OR VERSION)
  include(${CMAKE_CURRENT_LIST_DIR}/CheckResources.cmake)
  tandrel_check_resources("${FILE}" "${WINDRES}" "${MANIFEST}" "${VERSION}")
endif()

message(STATUS "${name}: ${size} of ${MAX_BYTES} bytes; imports: ${names}")
