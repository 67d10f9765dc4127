# The QorUI tests also reach the library's private headers (framework/...).
target_include_directories(test_qorui PRIVATE ${CMAKE_SOURCE_DIR}/ui)
