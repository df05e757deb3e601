# quibo_test(NAME <name> SOURCES <files...> LIBRARIES <targets...>)
# One GoogleTest executable; each of its tests becomes a CTest test.
include(GoogleTest)

function(quibo_test)
  if(QUIBO_FUZZ)  # the fuzzing build makes only the fuzzers
    return()
  endif()
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Listing the tests of a Windows build starts Wine, which takes a few seconds.
  gtest_discover_tests(${ARG_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QUIBO_BUILD_DIR=${CMAKE_BINARY_DIR};QUIBO_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
