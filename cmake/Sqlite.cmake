# SQLite's amalgamation, fetched by scripts/fetch-sqlite into the build tree
# (pinned version and checksum) and compiled into the program.
set(BRIVO_SQLITE_DIR ${CMAKE_BINARY_DIR}/third_party/sqlite)
if(NOT EXISTS ${BRIVO_SQLITE_DIR}/sqlite3.c)
  message(FATAL_ERROR "SQLite sources missing: run scripts/fetch-sqlite ${BRIVO_SQLITE_DIR}")
endif()
add_library(brivo_sqlite STATIC ${BRIVO_SQLITE_DIR}/sqlite3.c)
target_include_directories(brivo_sqlite SYSTEM PUBLIC ${BRIVO_SQLITE_DIR})
target_compile_definitions(brivo_sqlite PRIVATE
  SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0 SQLITE_DEFAULT_MEMSTATUS=0)
set_source_files_properties(${BRIVO_SQLITE_DIR}/sqlite3.c PROPERTIES COMPILE_OPTIONS "-O2;-w")
