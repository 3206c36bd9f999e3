# The display-language lookup once more under several Wine locales (see
# TestLocales.cmake); "-" marks a display language without a tag (Georgian,
# 0x0437).
foreach(variant "en_GB.UTF-8|en-gb" "de_DE.UTF-8|de" "pt_BR.UTF-8|pt-br" "zh_CN.UTF-8|zh-cn"
                "ka_GE.UTF-8|-")
  string(REPLACE "|" ";" parts "${variant}")
  list(GET parts 0 locale)
  list(GET parts 1 tag)
  brivo_test_locale(${TEST_TARGET} ${locale} locale_ok)
  if(NOT locale_ok)
    message(WARNING "localedef not found: the display-language variants are not run")
    break()
  endif()
  if(tag STREQUAL "-")
    set(name ${TEST_NAME}_ui_language_untagged)
    set(tag "")
  else()
    set(name ${TEST_NAME}_ui_language_${tag})
  endif()
  add_test(NAME ${name} COMMAND ${TEST_TARGET} --gtest_filter=UiLanguageTagFromWindows.*)
  set_tests_properties(${name} PROPERTIES TIMEOUT 120
    ENVIRONMENT "LANG=${locale};LC_ALL=${locale};LOCPATH=${BRIVO_LOCALE_DIR};BRIVO_EXPECTED_UI_TAG=${tag}")
endforeach()

# The stand-in browser process of the process and locking tests.
add_executable(chromium_test_helper ${CMAKE_CURRENT_LIST_DIR}/TestHelper.c)
target_link_options(chromium_test_helper PRIVATE -municode)
add_dependencies(${TEST_TARGET} chromium_test_helper)
