# The display-language tests again under other locales (see TestLocales.cmake).
set(BRIVO_APP_LOCALES
    "en_GB|en_GB.UTF-8|0809|English"
    "de_DE|de_DE.UTF-8|0407|Deutsch"
    "ru_RU|ru_RU.UTF-8|0419|Русский"
    "zh_CN|zh_CN.UTF-8|0804|Chinese (Simplified)")
foreach(entry ${BRIVO_APP_LOCALES})
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 suffix)
  list(GET fields 1 lang)
  list(GET fields 2 id)
  list(GET fields 3 language)
  brivo_test_locale(${TEST_TARGET} ${lang} locale_ok)
  if(NOT locale_ok)
    message(WARNING "localedef not found: the app tests run without the locale variants")
    break()
  endif()
  add_test(NAME ${TEST_NAME}_${suffix}
           COMMAND ${TEST_TARGET} "--gtest_filter=*DisplayLanguage*:*AnsiCodePage*:ShippedLanguages*")
  set_tests_properties(${TEST_NAME}_${suffix} PROPERTIES TIMEOUT 600
    ENVIRONMENT "LANG=${lang};LC_ALL=;LC_MESSAGES=;LC_CTYPE=;LOCPATH=${BRIVO_LOCALE_DIR};BRIVO_TEST_UI_LANGUAGE=${id};BRIVO_TEST_LANGUAGE=${language}")
endforeach()
