# Under Wine: the writer tests with the platform's own conversions, and the
# launcher and tandrel-ask.exe beside Tandrel.exe and the recording
# Vorlick.dll, beside a Tandrel.exe without a Vorlick.dll, and with a stand-in
# program that never reads its request.
include(${PROJECT_SOURCE_DIR}/cmake/WindowsTests.cmake)
set(stage ${CMAKE_CURRENT_BINARY_DIR}/stage)

add_executable(fake_tandrel fake_tandrel.cpp)
target_link_options(fake_tandrel PRIVATE -static -municode)
set_target_properties(fake_tandrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${stage})

set(staged ${stage}/ask/Tandrel.exe ${stage}/ask/Vorlick.dll
    ${stage}/ask/tandrel-ask.exe ${stage}/alone/Tandrel.exe)
add_custom_command(OUTPUT ${staged}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tandrel>
          $<TARGET_FILE:recording_vorlick> $<TARGET_FILE:tandrel-ask> ${stage}/ask/
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tandrel> ${stage}/alone/
  DEPENDS Tandrel recording_vorlick tandrel-ask
  COMMENT "Staging Tandrel.exe and tandrel-ask.exe for the kit's tests")
add_custom_target(client_stage ALL DEPENDS ${staged} fake_tandrel)

tandrel_windows_test(client_tests_win
  request_writer_test.cpp launcher_win_test.cpp)
target_include_directories(client_tests_win PRIVATE ${PROJECT_SOURCE_DIR}/tests/wine)
target_link_libraries(client_tests_win PRIVATE tandrel_client tandrel_core wine_driver)
add_dependencies(client_tests_win client_stage)
