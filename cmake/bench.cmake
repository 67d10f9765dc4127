# Benchmarks are built with everything else so they never rot, but they are
# never registered with CTest: they are run by hand and their figures reported.
find_package(benchmark REQUIRED)
file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
foreach(src IN LISTS bench_sources)
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_${name} ${src})
  target_include_directories(bench_${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(bench_${name} PRIVATE tervane_core $<TARGET_NAME_IF_EXISTS:sim>
                        benchmark::benchmark)
  add_dependencies(bench_${name} data_set)
endforeach()
# The key latency benchmark drives real evdev devices in the test VM.
target_link_libraries(bench_key_latency PRIVATE PkgConfig::EVDEV)
