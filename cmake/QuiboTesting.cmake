# quibo_test(NAME <name> SOURCES <files...> LIBRARIES <targets...> [DESKTOP])
# One GoogleTest executable; each of its tests becomes a CTest test. DESKTOP marks tests that open
# windows or press keys: they share one desktop (under Wine, one set of low-level hooks and one
# foreground window, which any other program starting may take), so they carry the label
# "desktop" and run one at a time.
include(GoogleTest)

function(quibo_test)
  if(QUIBO_FUZZ)  # the fuzzing build makes only the fuzzers
    return()
  endif()
  cmake_parse_arguments(ARG "DESKTOP" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  set(lock "")
  if(ARG_DESKTOP)
    set(lock RESOURCE_LOCK desktop LABELS desktop)
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Listing the tests of a Windows build starts Wine, which takes a few seconds.
  gtest_discover_tests(${ARG_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    # One variable only: the properties reach CTest as one flat list, which would split a list
    # value apart. The tests find the sources through a compile definition.
    PROPERTIES ENVIRONMENT "QUIBO_BUILD_DIR=${CMAKE_BINARY_DIR}" ${lock})
endfunction()
