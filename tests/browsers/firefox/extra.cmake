# The locale lookup once more under a display language with the tag "de"
# and under one without a tag (Georgian, 0x0437), see TestLocales.cmake.
foreach(variant "de_DE.UTF-8|de" "ka_GE.UTF-8|-")
  string(REPLACE "|" ";" parts "${variant}")
  list(GET parts 0 locale)
  list(GET parts 1 tag)
  brivo_test_locale(${TEST_TARGET} ${locale} locale_ok)
  if(NOT locale_ok)
    message(WARNING "localedef not found: the Firefox locale variants are not run")
    break()
  endif()
  if(tag STREQUAL "-")
    set(name ${TEST_NAME}_locale_untagged)
    set(tag "")
  else()
    set(name ${TEST_NAME}_locale_${tag})
  endif()
  add_test(NAME ${name} COMMAND ${TEST_TARGET} --gtest_filter=FirefoxLocales.*)
  set_tests_properties(${name} PROPERTIES TIMEOUT 120
    ENVIRONMENT "LANG=${locale};LC_ALL=${locale};LOCPATH=${BRIVO_LOCALE_DIR};BRIVO_EXPECTED_UI_TAG=${tag}")
endforeach()

# The stand-in "firefox.exe" of the running-browser tests.
add_executable(firefox_test_sleeper ${CMAKE_CURRENT_LIST_DIR}/Sleeper.c)
target_link_options(firefox_test_sleeper PRIVATE -municode)
add_dependencies(${TEST_TARGET} firefox_test_sleeper)
