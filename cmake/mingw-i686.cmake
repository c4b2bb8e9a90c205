# Cross-building the 32-bit Windows program with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TANDREL_MINGW_PREFIX i686-w64-mingw32)

# The posix thread model: GoogleTest needs std::mutex, which the win32 model
# of GCC 12 lacks. Tandrel.exe itself uses no threads and no C runtime.
set(CMAKE_C_COMPILER ${TANDREL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TANDREL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TANDREL_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${TANDREL_MINGW_PREFIX}-dlltool)
set(CMAKE_OBJDUMP ${TANDREL_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TANDREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
