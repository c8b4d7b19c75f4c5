enable_testing()
include(GoogleTest)

if(RIGSMITH_WINDOWS AND CMAKE_CROSSCOMPILING)
  # Every Windows test runs under Wine in a prefix of this build tree's own.
  set(RIGSMITH_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run ${RIGSMITH_WINE_PREFIX})
endif()

# rigsmith_add_test(NAME SOURCES... LIBRARIES... [TEST_PREFIX PREFIX])
# TEST_PREFIX tells apart the tests of programs built from the same sources.
function(rigsmith_add_test name)
  cmake_parse_arguments(ARG "" "TEST_PREFIX" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # A cold Wine start takes longer than the default five seconds of discovery.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    TEST_PREFIX "${ARG_TEST_PREFIX}"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES TIMEOUT 300 ${ARG_PROPERTIES})
endfunction()
