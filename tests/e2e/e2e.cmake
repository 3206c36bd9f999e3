# The end-to-end tests: a Python driver starts the real BrivoPM.exe under Wine
# on an Xvfb of its own and works it with xdotool; e2e_probe answers what X
# cannot tell (window texts, the foreground window, registry access lists).
add_executable(e2e_probe ${CMAKE_SOURCE_DIR}/tests/e2e/probe.c)
target_link_libraries(e2e_probe PRIVATE advapi32 user32)
target_link_options(e2e_probe PRIVATE -municode)

find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  add_test(NAME e2e
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/e2e.py ${CMAKE_BINARY_DIR})
  set_tests_properties(e2e PROPERTIES TIMEOUT 1500)
endif()
