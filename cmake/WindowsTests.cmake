# GoogleTest built for Windows from Debian's sources, and a helper that adds
# a test program run under Wine in the build tree's Wine session (one prefix,
# one Xvfb, set up once by the wine.session fixture).

# Set for every directory that includes this file: the helper below reads
# them in its caller's scope.
set(TANDREL_WINE_STATE ${CMAKE_BINARY_DIR}/wine-session)
set(TANDREL_WINE_SESSION ${PROJECT_SOURCE_DIR}/scripts/wine-session.sh)

include_guard(GLOBAL)

set(TANDREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Not our code: its warnings are not ours to make errors of.
block()
  set(CMAKE_COMPILE_WARNING_AS_ERROR OFF)
  add_subdirectory(${TANDREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endblock()

add_test(NAME wine.session.setup
  COMMAND ${TANDREL_WINE_SESSION} setup ${TANDREL_WINE_STATE})
set_tests_properties(wine.session.setup PROPERTIES
  FIXTURES_SETUP wine.session TIMEOUT 600)
add_test(NAME wine.session.cleanup
  COMMAND ${TANDREL_WINE_SESSION} cleanup ${TANDREL_WINE_STATE})
set_tests_properties(wine.session.cleanup PROPERTIES FIXTURES_CLEANUP wine.session)

# A GoogleTest program for Windows, linked statically so that it needs no
# MinGW DLLs, run as one CTest test under Wine.
function(tandrel_windows_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE gtest_main gtest)
  target_link_options(${name} PRIVATE -static)
  add_test(NAME wine.${name}
    COMMAND ${TANDREL_WINE_SESSION} run ${TANDREL_WINE_STATE}
            $<TARGET_FILE:${name}> --gtest_color=no)
  set_tests_properties(wine.${name} PROPERTIES
    FIXTURES_REQUIRED wine.session RESOURCE_LOCK wine.display TIMEOUT 900)
endfunction()
