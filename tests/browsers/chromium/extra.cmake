# The display-language lookup once more under several Wine locales;
# Georgian (0x0437) is a display language without a tag.
foreach(variant "en_GB.UTF-8|en-gb" "de_DE.UTF-8|de" "pt_BR.UTF-8|pt-br" "zh_CN.UTF-8|zh-cn"
                "ka_GE.UTF-8|untagged")
  string(REPLACE "|" ";" parts "${variant}")
  list(GET parts 0 locale)
  list(GET parts 1 suffix)
  set(tag ${suffix})
  if(tag STREQUAL "untagged")
    set(tag "")
  endif()
  brivo_locale_test(${TEST_NAME}_ui_language_${suffix} ${TEST_TARGET} ${locale} "UiLanguageTagFromWindows.*"
                    "BRIVO_EXPECTED_UI_TAG=${tag}")
endforeach()
