# The batch rating request once more under a locale whose decimal separator
# is the comma (see TestLocales.cmake).
brivo_test_locale(${TEST_TARGET} de_DE.UTF-8 locale_ok)
if(locale_ok)
  add_test(NAME ${TEST_NAME}_comma_locale COMMAND ${TEST_TARGET} --gtest_filter=BatchRating.*)
  set_tests_properties(${TEST_NAME}_comma_locale PROPERTIES TIMEOUT 300
    ENVIRONMENT "LANG=de_DE.UTF-8;LC_ALL=de_DE.UTF-8;LOCPATH=${BRIVO_LOCALE_DIR};BRIVO_EXPECTED_DECIMAL=,")
else()
  message(WARNING "localedef not found: the rating tests are not run under a comma locale")
endif()
