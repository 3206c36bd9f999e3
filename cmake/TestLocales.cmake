# Unix locales for tests that run under another Windows locale. Wine takes
# the user's UI language from LANG in any case, but the ANSI code page and the
# encoding of Unix file names only from a locale that glibc knows: without one
# they stay at 1252 / ASCII, and non-ASCII file names turn into question
# marks. The locales are compiled into the build tree and found through
# LOCPATH, so nothing is installed system-wide.
find_program(BRIVO_LOCALEDEF localedef)
set(BRIVO_LOCALE_DIR ${CMAKE_BINARY_DIR}/locales)

# Makes `target` depend on the compiled locale `lang` (such as "de_DE.UTF-8").
# False in `ok` when locales cannot be compiled here.
function(brivo_test_locale target lang ok)
  if(NOT BRIVO_LOCALEDEF)
    set(${ok} FALSE PARENT_SCOPE)
    return()
  endif()
  string(REGEX REPLACE "\\..*$" "" source ${lang})
  string(MAKE_C_IDENTIFIER "brivo_locale_${lang}" locale_target)
  if(NOT TARGET ${locale_target})
    # localedef also answers 1 for mere warnings; the compiled file decides.
    add_custom_command(
      OUTPUT ${BRIVO_LOCALE_DIR}/${lang}/LC_CTYPE
      COMMAND ${CMAKE_COMMAND} -E make_directory ${BRIVO_LOCALE_DIR}
      COMMAND sh -c "'${BRIVO_LOCALEDEF}' -i ${source} -f UTF-8 '${BRIVO_LOCALE_DIR}/${lang}' >/dev/null 2>&1; test -f '${BRIVO_LOCALE_DIR}/${lang}/LC_CTYPE'"
      VERBATIM)
    add_custom_target(${locale_target} DEPENDS ${BRIVO_LOCALE_DIR}/${lang}/LC_CTYPE)
  endif()
  add_dependencies(${target} ${locale_target})
  set(${ok} TRUE PARENT_SCOPE)
endfunction()

# Runs `target` once more as test `name` with only the tests of `filter`,
# under the Unix locale `lang`; further arguments are NAME=value settings for
# the test's environment. Nothing is added when locales cannot be compiled.
function(brivo_locale_test name target lang filter)
  brivo_test_locale(${target} ${lang} ok)
  if(NOT ok)
    message(WARNING "localedef not found: ${name} is not run")
    return()
  endif()
  add_test(NAME ${name} COMMAND ${target} "--gtest_filter=${filter}")
  set_tests_properties(${name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "LANG=${lang};LC_ALL=${lang};LOCPATH=${BRIVO_LOCALE_DIR};${ARGN}")
endfunction()
