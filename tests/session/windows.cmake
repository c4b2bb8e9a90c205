# Under Wine: the example service of docs/windows, built as its comment says,
# asks through tandrel-ask.exe --session beside the real Tandrel.exe and
# Vorlick.dll, and the box comes up on winsta0\default, where the test
# answers it; and tandrel-ask.exe without SeTcbPrivilege or without a
# session to show it in.
include(${PROJECT_SOURCE_DIR}/cmake/WindowsTests.cmake)
set(stage ${CMAKE_CURRENT_BINARY_DIR}/stage)

add_executable(ask_service ${PROJECT_SOURCE_DIR}/docs/windows/ask-service.c)
add_executable(without_tcb without_tcb.cpp)
foreach(helper ask_service without_tcb)
  target_link_options(${helper} PRIVATE -municode -static)
  set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${stage})
endforeach()
set_target_properties(ask_service PROPERTIES OUTPUT_NAME ask-service)

set(staged ${stage}/Tandrel.exe ${stage}/Vorlick.dll ${stage}/tandrel-ask.exe)
add_custom_command(OUTPUT ${staged}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tandrel> $<TARGET_FILE:vorlick>
          $<TARGET_FILE:tandrel-ask> ${stage}/
  DEPENDS Tandrel vorlick tandrel-ask
  COMMENT "Staging Tandrel.exe and tandrel-ask.exe for the session's tests")
add_custom_target(session_stage ALL DEPENDS ${staged} ask_service without_tcb)

tandrel_windows_test(session_tests_win session_win_test.cpp)
target_link_libraries(session_tests_win PRIVATE wine_driver advapi32)
add_dependencies(session_tests_win session_stage)
