# The resources of a shipped binary: its resource script compiled by windres,
# with the C compiler as its preprocessor, and linked in as one object.
# The script may include platform/win/version_info.rc, which reads the
# project's version from the definitions below; list in ARGN the files the
# script includes (manifests), so that a change to them rebuilds it.
function(tandrel_resources target script)
  set(numbers "")
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
      set(number 0)
    endif()
    list(APPEND numbers -DTANDREL_VERSION_${part}=${number})
  endforeach()
  get_filename_component(name ${script} NAME_WE)
  get_filename_component(folder ${script} DIRECTORY)
  set(info ${PROJECT_SOURCE_DIR}/platform/win/version_info.rc)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.o)
  add_custom_command(OUTPUT ${object}
    COMMAND ${CMAKE_RC_COMPILER}
            --preprocessor=${CMAKE_C_COMPILER} --preprocessor-arg=-E
            --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED
            -I ${folder} -I ${PROJECT_SOURCE_DIR}/platform/win
            ${numbers} -DTANDREL_VERSION_TEXT=${PROJECT_VERSION}
            -O coff -i ${script} -o ${object}
    DEPENDS ${script} ${info} ${ARGN}
    COMMENT "Resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${object})
endfunction()
