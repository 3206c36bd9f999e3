# The Windows program, its companion tools, the tests and the benchmarks.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601
                        RAPIDJSON_HAS_STDSTRING=1)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
add_link_options(-static -static-libgcc -static-libstdc++)
set(BRIVO_WIN_LIBS gdiplus wininet shell32 ole32 oleaut32 uuid advapi32 version
    comctl32 shlwapi gdi32 user32 msimg32 kernel32)

# zlib for MinGW from Debian (libz-mingw-w64-dev), linked statically: the
# archive itself, never its DLL import library.
find_library(BRIVO_ZLIB NAMES libz.a REQUIRED)

include(cmake/Sqlite.cmake)
include(cmake/TestLocales.cmake)
include(cmake/Skin.cmake)

# One static library per source folder, bottom to top, each linking only
# the folders below it (docs/architecture.md): an object that reaches up a
# layer fails to link, and scripts/check-layers fails the build on a
# wrong-way include.
function(brivo_folder_library name folder)
  cmake_parse_arguments(ARG "RECURSE" "" "LINKS" ${ARGN})
  if(ARG_RECURSE)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  else()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  endif()
  list(FILTER srcs EXCLUDE REGEX "/src/app/main\\.cpp$")
  if(NOT srcs)
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_include_directories(${name} SYSTEM PUBLIC ${BRIVO_THIRD_PARTY_INCLUDE})
  foreach(link ${ARG_LINKS})
    if(TARGET ${link} OR NOT link MATCHES "^brivo_")
      target_link_libraries(${name} PUBLIC ${link})
    endif()
  endforeach()
  add_dependencies(${name} brivo_layers)
endfunction()

add_custom_target(brivo_layers COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-layers
                  COMMENT "Checking that no folder includes one above it" VERBATIM)
brivo_folder_library(brivo_platform platform LINKS brivo_sqlite ${BRIVO_WIN_LIBS})
brivo_folder_library(brivo_json json LINKS brivo_platform)
brivo_folder_library(brivo_gfx gfx LINKS brivo_platform)
brivo_folder_library(brivo_app app LINKS brivo_json brivo_platform)
brivo_folder_library(brivo_net net LINKS brivo_app brivo_gfx brivo_json brivo_platform)
brivo_folder_library(brivo_browsers browsers RECURSE
                     LINKS brivo_net brivo_app brivo_gfx brivo_json brivo_platform ${BRIVO_ZLIB})
brivo_folder_library(brivo_rating net/rating LINKS brivo_browsers brivo_net brivo_app brivo_json brivo_platform)
brivo_folder_library(brivo_cli cli LINKS brivo_browsers brivo_json brivo_platform)
brivo_folder_library(brivo_toolkit ui/toolkit LINKS brivo_gfx brivo_platform)
brivo_folder_library(brivo_ui ui LINKS brivo_rating brivo_toolkit brivo_browsers brivo_net brivo_app
                     brivo_gfx brivo_json brivo_platform)

# Everything a program or test may link: the top of the stack.
add_library(brivo_core INTERFACE)
foreach(lib brivo_ui brivo_toolkit brivo_cli brivo_rating brivo_browsers brivo_net brivo_app brivo_gfx
            brivo_json brivo_platform)
  if(TARGET ${lib})
    target_link_libraries(brivo_core INTERFACE ${lib})
  endif()
endforeach()

# The built-in English copy is kept in the repository as UTF-8 and embedded
# as UTF-16 LE with a byte-order mark.
set(BRIVO_MEMLANG ${CMAKE_BINARY_DIR}/MemLang.bin)
add_custom_command(
  OUTPUT ${BRIVO_MEMLANG}
  COMMAND sh -c "printf '\\377\\376' > '${BRIVO_MEMLANG}' && iconv -f UTF-8 -t UTF-16LE '${CMAKE_SOURCE_DIR}/Languages/English.ini' >> '${BRIVO_MEMLANG}'"
  DEPENDS ${CMAKE_SOURCE_DIR}/Languages/English.ini
  VERBATIM)
add_custom_target(brivo_memlang DEPENDS ${BRIVO_MEMLANG})

# Version, manifest, MemLang, the skin pictures and the program icon, linked
# into the program and every test.
configure_file(src/app/BrivoPM.rc.in ${CMAKE_BINARY_DIR}/BrivoPM.rc @ONLY)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(BRIVO_MANIFEST_ARCH amd64)
else()
  set(BRIVO_MANIFEST_ARCH x86)
endif()
configure_file(src/app/BrivoPM.exe.manifest ${CMAKE_BINARY_DIR}/BrivoPM.exe.manifest @ONLY)
set(BRIVO_RES_OBJ ${CMAKE_BINARY_DIR}/BrivoPM.res.o)
add_custom_command(
  OUTPUT ${BRIVO_RES_OBJ}
  COMMAND ${CMAKE_RC_COMPILER} -O coff -c 65001 -I ${CMAKE_BINARY_DIR}
          -i ${CMAKE_BINARY_DIR}/BrivoPM.rc -o ${BRIVO_RES_OBJ}
  DEPENDS ${CMAKE_BINARY_DIR}/BrivoPM.rc ${CMAKE_BINARY_DIR}/BrivoPM.exe.manifest ${BRIVO_MEMLANG}
          ${BRIVO_SKIN_OUTPUTS}
  VERBATIM)
set_source_files_properties(${BRIVO_RES_OBJ} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
add_custom_target(brivo_resource_object DEPENDS ${BRIVO_RES_OBJ})

# Language files beside the program, in the form the Windows profile
# functions read on every system: UTF-16 LE with a byte-order mark.
file(GLOB BRIVO_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Languages/*.ini)
set(BRIVO_LANGUAGE_OUTPUTS "")
foreach(f ${BRIVO_LANGUAGE_FILES})
  get_filename_component(n ${f} NAME)
  set(out ${CMAKE_BINARY_DIR}/bin/Languages/${n})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/Languages
    COMMAND sh -c "printf '\\377\\376' > \"$1\" && iconv -f UTF-8 -t UTF-16LE \"$0\" >> \"$1\"" ${f} ${out}
    DEPENDS ${f}
    VERBATIM)
  list(APPEND BRIVO_LANGUAGE_OUTPUTS ${out})
endforeach()
add_custom_target(brivo_languages DEPENDS ${BRIVO_LANGUAGE_OUTPUTS})

function(brivo_windows_exe name)
  cmake_parse_arguments(ARG "CONSOLE" "" "SOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${BRIVO_RES_OBJ})
  add_dependencies(${name} brivo_resource_object brivo_languages)
  target_link_libraries(${name} PRIVATE brivo_core)
  if(NOT ARG_CONSOLE)
    target_link_options(${name} PRIVATE -mwindows)
  endif()
endfunction()

# The shipped programs carry no link time: two builds of one commit give the
# same files (./bpm package).
brivo_windows_exe(BrivoPM SOURCES src/app/main.cpp)
target_link_options(BrivoPM PRIVATE -municode -Wl,--no-insert-timestamp)
file(GLOB BRIVO_CLI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/bpmcli/*.cpp)
if(BRIVO_CLI_SOURCES)
  brivo_windows_exe(bpmcli CONSOLE SOURCES ${BRIVO_CLI_SOURCES})
  target_link_options(bpmcli PRIVATE -Wl,--no-insert-timestamp)
endif()
# The control gallery: every skinned control in its states (./bpm gallery).
file(GLOB BRIVO_GALLERY_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/gallery/*.cpp)
if(BRIVO_GALLERY_SOURCES)
  brivo_windows_exe(gallery SOURCES ${BRIVO_GALLERY_SOURCES})
  target_link_options(gallery PRIVATE -municode)
endif()

# GoogleTest, built with the same cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Wine runs the tests: one prefix per build tree, made by scripts/wine-prefix.
set(BRIVO_WINEPREFIX ${CMAKE_BINARY_DIR}/wine CACHE PATH "Wine prefix of the tests")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run;${BRIVO_WINEPREFIX})
execute_process(COMMAND winepath -w ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE BRIVO_SOURCE_DIR_WIN
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT BRIVO_SOURCE_DIR_WIN)
  string(REPLACE "/" "\\" BRIVO_SOURCE_DIR_WIN "Z:${CMAKE_SOURCE_DIR}")
endif()
string(REPLACE "/" "\\" BRIVO_BIN_DIR_WIN "Z:${CMAKE_BINARY_DIR}/bin")
# Both go into C string literals: every backslash doubled.
string(REPLACE "\\" "\\\\" BRIVO_SOURCE_DIR_LITERAL "${BRIVO_SOURCE_DIR_WIN}")
string(REPLACE "\\" "\\\\" BRIVO_BIN_DIR_LITERAL "${BRIVO_BIN_DIR_WIN}")

# The helpers every test and benchmark shares, compiled once.
file(GLOB BRIVO_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(brivo_test_support STATIC ${BRIVO_TEST_SUPPORT})
target_include_directories(brivo_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(brivo_test_support PUBLIC brivo_core gmock gtest)
target_compile_definitions(brivo_test_support PUBLIC
  "BRIVO_SOURCE_DIR=L\"${BRIVO_SOURCE_DIR_LITERAL}\"" "BRIVO_BIN_DIR=L\"${BRIVO_BIN_DIR_LITERAL}\"")
file(GLOB_RECURSE BRIVO_TEST_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
set(BRIVO_TEST_DIRS "")
foreach(f ${BRIVO_TEST_FILES})
  get_filename_component(d ${f} DIRECTORY)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/tests ${d})
  if(NOT rel MATCHES "^(support|fuzz|data)(/|$)")
    list(APPEND BRIVO_TEST_DIRS ${rel})
  endif()
endforeach()
list(REMOVE_DUPLICATES BRIVO_TEST_DIRS)
list(SORT BRIVO_TEST_DIRS)
# The stand-in browser process of the process and locking tests.
add_executable(browser_stand_in ${CMAKE_SOURCE_DIR}/tests/support/StandIn.c)
target_link_options(browser_stand_in PRIVATE -municode)
include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake)
include(${CMAKE_SOURCE_DIR}/tests/install/install.cmake)

foreach(rel ${BRIVO_TEST_DIRS})
  string(REPLACE "/" "_" TEST_NAME ${rel})
  set(TEST_TARGET test_${TEST_NAME})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${rel}/*.cpp)
  brivo_windows_exe(${TEST_TARGET} CONSOLE SOURCES ${srcs})
  target_link_libraries(${TEST_TARGET} PRIVATE brivo_test_support gtest_main)
  add_dependencies(${TEST_TARGET} browser_stand_in)
  add_test(NAME ${TEST_NAME} COMMAND ${TEST_TARGET})
  set_tests_properties(${TEST_NAME} PROPERTIES TIMEOUT 600)
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/${rel}/extra.cmake)
    include(${CMAKE_SOURCE_DIR}/tests/${rel}/extra.cmake)
  endif()
endforeach()

# The unit tests share the tree's Wine prefix and the display of ./bpm test,
# so they run one after another; the end-to-end and install tests bring a
# prefix and an Xvfb of their own and run beside them (ctest -j2).
get_property(BRIVO_ALL_TESTS DIRECTORY PROPERTY TESTS)
foreach(t ${BRIVO_ALL_TESTS})
  if(NOT t MATCHES "^(e2e|install)$")
    set_tests_properties(${t} PROPERTIES RESOURCE_LOCK shared_wine_prefix)
  endif()
endforeach()

# Benchmarks print figures; they are not tests.
file(GLOB BRIVO_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/bench/*.cpp)
foreach(f ${BRIVO_BENCH_SOURCES})
  get_filename_component(n ${f} NAME_WE)
  brivo_windows_exe(bench_${n} CONSOLE SOURCES ${f})
  # The shared test helpers report failures through GoogleTest.
  target_link_libraries(bench_${n} PRIVATE brivo_test_support)
endforeach()
