# The picture cache once more against a full volume, which only the Unix
# side can make (tests/json/volumes.sh); without the rights for it the test
# skips.
set(volumes ${CMAKE_BINARY_DIR}/net-volumes)
add_test(NAME ${TEST_NAME}_volumes_up COMMAND ${CMAKE_SOURCE_DIR}/tests/json/volumes.sh up ${volumes})
add_test(NAME ${TEST_NAME}_volumes_down COMMAND ${CMAKE_SOURCE_DIR}/tests/json/volumes.sh down ${volumes})
set_tests_properties(${TEST_NAME}_volumes_up PROPERTIES FIXTURES_SETUP net_volumes)
set_tests_properties(${TEST_NAME}_volumes_down PROPERTIES FIXTURES_CLEANUP net_volumes)
# Wine shows the Unix root as drive Z:.
string(REPLACE "/" "\\" volumes_win "Z:${volumes}")
add_test(NAME ${TEST_NAME}_full_disk COMMAND ${TEST_TARGET} --gtest_filter=DownloadingPictures.*FullDisk*)
set_tests_properties(${TEST_NAME}_full_disk PROPERTIES FIXTURES_REQUIRED net_volumes TIMEOUT 300
  ENVIRONMENT "BRIVO_SMALL_VOLUME=${volumes_win}\\small")
