# The write-back once more against a full volume and a sealed folder, which
# only the Unix side can make (volumes.sh); without the rights for them the
# tests skip.
set(volumes ${CMAKE_BINARY_DIR}/json-volumes)
add_test(NAME ${TEST_NAME}_volumes_up COMMAND ${CMAKE_SOURCE_DIR}/tests/json/volumes.sh up ${volumes})
add_test(NAME ${TEST_NAME}_volumes_down COMMAND ${CMAKE_SOURCE_DIR}/tests/json/volumes.sh down ${volumes})
set_tests_properties(${TEST_NAME}_volumes_up PROPERTIES FIXTURES_SETUP json_volumes)
set_tests_properties(${TEST_NAME}_volumes_down PROPERTIES FIXTURES_CLEANUP json_volumes)
# Wine shows the Unix root as drive Z:.
string(REPLACE "/" "\\" volumes_win "Z:${volumes}")
add_test(NAME ${TEST_NAME}_full_and_sealed COMMAND ${TEST_TARGET} --gtest_filter=JsonFilesOnAFullDisk.*:JsonFilesInASealedFolder.*)
set_tests_properties(${TEST_NAME}_full_and_sealed PROPERTIES FIXTURES_REQUIRED json_volumes TIMEOUT 300
  ENVIRONMENT "BRIVO_SMALL_VOLUME=${volumes_win}\\small;BRIVO_SEALED_FOLDER=${volumes_win}\\sealed")
