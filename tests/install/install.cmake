# The setup and the uninstaller under Wine: tests/install/install_test.py
# packages this tree's programs (scripts/package, needs makensis) and works
# the setup in a prefix and on an Xvfb of its own, so it runs beside the unit
# tests, which share the tree's prefix.
find_program(BRIVO_MAKENSIS makensis)
if(Python3_FOUND AND BRIVO_MAKENSIS)
  add_test(NAME install
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/install/install_test.py ${CMAKE_BINARY_DIR})
  set_tests_properties(install PROPERTIES TIMEOUT 600)
endif()
