# Registers the `fuzz` entry with the normal build's CTest: it configures a
# clang build tree under the build folder, builds every fuzz target and runs
# each one for a bounded time over its seeds.
find_program(TERVANE_CLANGXX clang++)
if(TERVANE_CLANGXX)
  add_test(NAME fuzz
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/fuzz/run_fuzz.sh ${CMAKE_SOURCE_DIR}
                   ${CMAKE_BINARY_DIR}/fuzz 15)
  set_tests_properties(fuzz PROPERTIES TIMEOUT 1200 LABELS fuzz)
endif()
