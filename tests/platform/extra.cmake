# The same tests again under program names for which Wine reports Vista and
# Windows 8 (see scripts/wine-prefix).
foreach(variant vista win8)
  set(copy ${CMAKE_BINARY_DIR}/bin/${TEST_TARGET}_${variant}.exe)
  add_custom_command(TARGET ${TEST_TARGET} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${TEST_TARGET}> ${copy})
  add_test(NAME ${TEST_NAME}_${variant} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${copy})
  set_tests_properties(${TEST_NAME}_${variant} PROPERTIES TIMEOUT 600)
endforeach()
