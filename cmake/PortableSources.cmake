# Sources and tests that need no Windows: they are also built natively with
# sanitizers and fuzzers. Each area appends its own block.
list(APPEND BRIVO_PORTABLE_SOURCES
    src/platform/Utf.cpp
)
list(APPEND BRIVO_PORTABLE_TESTS
    tests/platform/UtfTest.cpp
)
