# One GoogleTest executable per folder under tests/ (test_<folder>); a folder
# may add further CTest entries (scripts, Xvfb or VM runs) in its tests.cmake.
find_package(GTest REQUIRED)
include(GoogleTest)

set(TERVANE_TEST_DATA_DIR ${CMAKE_SOURCE_DIR}/tests/data)
include(${CMAKE_SOURCE_DIR}/cmake/vm.cmake)

file(GLOB test_dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*)
foreach(dir IN LISTS test_dirs)
  get_filename_component(area ${dir} NAME)
  if(NOT IS_DIRECTORY ${dir} OR area STREQUAL "data" OR area STREQUAL "fuzz")
    continue()
  endif()
  file(GLOB_RECURSE area_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(area_sources)
    set(target test_${area})
    add_executable(${target} ${area_sources})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${target} PRIVATE tervane_core $<TARGET_NAME_IF_EXISTS:sim>
                          GTest::gtest_main GTest::gmock)
    target_compile_definitions(${target} PRIVATE
      TERVANE_TEST_DATA_DIR="${TERVANE_TEST_DATA_DIR}"
      TERVANE_BIN_DIR="${TERVANE_BIN_DIR}"
      TERVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_dependencies(${target} data_set)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST WORKING_DIRECTORY ${TERVANE_BIN_DIR}
                         PROPERTIES TIMEOUT 300)
  endif()
  if(EXISTS ${dir}/tests.cmake)
    include(${dir}/tests.cmake)
  endif()
endforeach()

# tests/fuzz holds no GoogleTest sources; its tests.cmake adds the fuzz run.
include(${CMAKE_SOURCE_DIR}/tests/fuzz/tests.cmake)
