# The locale lookup once more under a display language with the tag "de"
# and under one without a tag (Georgian, 0x0437).
brivo_locale_test(${TEST_NAME}_locale_de ${TEST_TARGET} de_DE.UTF-8 "FirefoxLocales.*" "BRIVO_EXPECTED_UI_TAG=de")
brivo_locale_test(${TEST_NAME}_locale_untagged ${TEST_TARGET} ka_GE.UTF-8 "FirefoxLocales.*" "BRIVO_EXPECTED_UI_TAG=")
