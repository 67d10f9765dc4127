# The control tests also reach the library's private headers (controls/...).
target_include_directories(test_qorui_controls PRIVATE ${CMAKE_SOURCE_DIR}/ui)
