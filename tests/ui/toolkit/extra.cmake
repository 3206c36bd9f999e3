# Screenshots of the gallery at 96 and 144 DPI, checked at fixed places.
add_dependencies(${TEST_TARGET} gallery)
add_test(NAME ${TEST_NAME}_gallery_screenshots
  COMMAND ${CMAKE_SOURCE_DIR}/tests/ui/toolkit/gallery_screenshots.sh ${BRIVO_WINEPREFIX}
          ${CMAKE_BINARY_DIR}/bin/gallery.exe ${CMAKE_BINARY_DIR}/gallery-shots)
set_tests_properties(${TEST_NAME}_gallery_screenshots PROPERTIES TIMEOUT 300)
