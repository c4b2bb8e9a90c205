# Compiler settings shared by every target of the project. Warnings are
# errors in the project's own code; a target of vendored code (GoogleTest
# for Windows) is made with CMAKE_COMPILE_WARNING_AS_ERROR off.
add_compile_options(-Wall -Wextra)
set(CMAKE_COMPILE_WARNING_AS_ERROR ON)

# The sanitizers, for every target: the one place that names them. The
# presets set TANDREL_SANITIZE; TANDREL_SANITIZED tells the folders whose
# tests or link options differ under them.
set(TANDREL_SANITIZE "" CACHE STRING
    "Sanitizers for every target, as -fsanitize= takes them (empty: none)")
if(TANDREL_SANITIZE)
  set(TANDREL_SANITIZED ON)
  add_compile_options(-fsanitize=${TANDREL_SANITIZE} -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${TANDREL_SANITIZE})
else()
  set(TANDREL_SANITIZED OFF)
endif()
# The fuzzers' coverage counters in the product code; the fuzz targets link
# libFuzzer itself (tests/fuzz).
if(TANDREL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# The program's own code: no exceptions, no RTTI, no unwind tables; small
# sections so that the linker drops whatever is unused.
function(tandrel_program_options target)
  target_compile_options(${target} PRIVATE
    -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections)
  if(WIN32)
    target_compile_options(${target} PRIVATE -fno-stack-protector -Os)
  endif()
endfunction()

# `output`, made from `input` as Debian ships manual pages and changelogs:
# gzip -9n (no name, no time, so that every build makes the same bytes), by
# a target `name` of the default build.
function(tandrel_gzip name input output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9n -c ${input} > ${output}
    DEPENDS ${input}
    COMMENT "Compressing ${input}")
  add_custom_target(${name} ALL DEPENDS ${output})
endfunction()
