# The portable modules built for Linux with AddressSanitizer and
# UndefinedBehaviorSanitizer, their tests, and the libFuzzer targets.
set(BRIVO_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(-Wall -Wextra -Wno-unused-parameter ${BRIVO_SANITIZE})
add_link_options(${BRIVO_SANITIZE})
add_compile_definitions(RAPIDJSON_HAS_STDSTRING=1)

list(TRANSFORM BRIVO_PORTABLE_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
list(TRANSFORM BRIVO_PORTABLE_TESTS PREPEND ${CMAKE_SOURCE_DIR}/)

add_library(brivo_portable STATIC ${BRIVO_PORTABLE_SOURCES})
target_include_directories(brivo_portable PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_include_directories(brivo_portable SYSTEM PUBLIC ${BRIVO_THIRD_PARTY_INCLUDE})
find_package(ZLIB REQUIRED)
target_link_libraries(brivo_portable PUBLIC ZLIB::ZLIB)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(native_tests ${BRIVO_PORTABLE_TESTS})
target_include_directories(native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(native_tests PRIVATE "BRIVO_SOURCE_DIR=\"${CMAKE_SOURCE_DIR}\"")
target_link_libraries(native_tests PRIVATE brivo_portable gmock gtest_main)
add_test(NAME native_portable COMMAND native_tests)

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  file(GLOB BRIVO_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(f ${BRIVO_FUZZ_SOURCES})
    get_filename_component(n ${f} NAME_WE)
    add_executable(fuzz_${n} ${f} ${BRIVO_PORTABLE_SOURCES})
    target_link_libraries(fuzz_${n} PRIVATE ZLIB::ZLIB)
    target_include_directories(fuzz_${n} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_include_directories(fuzz_${n} SYSTEM PRIVATE ${BRIVO_THIRD_PARTY_INCLUDE})
    target_compile_options(fuzz_${n} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${n} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
