# The batch rating request once more under a locale whose decimal separator
# is the comma.
brivo_locale_test(${TEST_NAME}_comma_locale ${TEST_TARGET} de_DE.UTF-8 "BatchRating.*" "BRIVO_EXPECTED_DECIMAL=,")
