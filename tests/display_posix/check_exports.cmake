# Fails unless the library's dynamic symbol table defines exactly one name,
# the function VorlickShowMessage.
#   cmake -DNM=... -DLIBRARY=... -P check_exports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exports)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^[0-9a-fA-F]+ +" "" entry "${line}")
  list(APPEND exports "${entry}")
endforeach()
if(NOT exports STREQUAL "T VorlickShowMessage")
  message(FATAL_ERROR "libvorlick.so exports: ${exports}")
endif()
message(STATUS "exports: ${exports}")
