# What the Windows build needs beyond MinGW-w64, made from sources on this machine rather than
# found installed: Debian ships no MinGW builds of GoogleTest or SQLite.
#
# GoogleTest: Debian's googletest package puts its sources in /usr/src/googletest.
set(QUIBO_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${QUIBO_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(library gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${library})  # newer GoogleTest releases name them so themselves
    add_library(GTest::${library} ALIAS ${library})
  endif()
endforeach()

# SQLite, for the stand-in host's files: the public-domain amalgamation (sqlite3.c, sqlite3.h)
# that the npm package better-sqlite3 carries, fetched with npm itself at one pinned version and
# checked against its digest, then compiled with the cross compiler.
set(sqlite_package better-sqlite3-12.11.1)
set(sqlite_digest ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835)
set(sqlite_folder ${CMAKE_BINARY_DIR}/_deps/sqlite)
if(NOT EXISTS ${sqlite_folder}/package/deps/sqlite3/sqlite3.c)
  find_program(QUIBO_NPM npm REQUIRED)
  file(MAKE_DIRECTORY ${sqlite_folder})
  message(STATUS "Fetching the SQLite amalgamation with npm (${sqlite_package})")
  execute_process(
    COMMAND ${QUIBO_NPM} pack --silent better-sqlite3@12.11.1 --pack-destination ${sqlite_folder}
    RESULT_VARIABLE npm_result OUTPUT_QUIET TIMEOUT 300)
  set(archive ${sqlite_folder}/${sqlite_package}.tgz)
  if(NOT npm_result EQUAL 0 OR NOT EXISTS ${archive})
    message(FATAL_ERROR "npm pack better-sqlite3@12.11.1 failed (${npm_result})")
  endif()
  file(SHA256 ${archive} digest)
  if(NOT digest STREQUAL sqlite_digest)
    message(FATAL_ERROR "${archive} has the digest ${digest}, not ${sqlite_digest}")
  endif()
  file(ARCHIVE_EXTRACT INPUT ${archive} DESTINATION ${sqlite_folder}
    PATTERNS package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h)
endif()
add_library(quibo_sqlite3 STATIC ${sqlite_folder}/package/deps/sqlite3/sqlite3.c)
target_include_directories(quibo_sqlite3 SYSTEM PUBLIC ${sqlite_folder}/package/deps/sqlite3)
# The stand-in opens its files from one thread; a light optimisation keeps the compile short.
target_compile_definitions(quibo_sqlite3 PRIVATE SQLITE_THREADSAFE=0 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(quibo_sqlite3 PRIVATE -O1 -g0 -w)
add_library(SQLite::SQLite3 ALIAS quibo_sqlite3)
