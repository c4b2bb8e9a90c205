# Compiler settings shared by every target of the project. Warnings are
# errors in the project's own code; a target of vendored code (GoogleTest
# for Windows) is made with CMAKE_COMPILE_WARNING_AS_ERROR off.
add_compile_options(-Wall -Wextra)
set(CMAKE_COMPILE_WARNING_AS_ERROR ON)

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
