# QorUI extras: resources embedded into the library, and the demo dialog.
set(QORUI_RESOURCES "101=scroll_h.png,102=scroll_v.png")
set(QORUI_RESOURCE_CPP ${CMAKE_BINARY_DIR}/generated/qorui_resources.cpp)
add_custom_command(OUTPUT ${QORUI_RESOURCE_CPP}
  COMMAND ${CMAKE_COMMAND} -DOUT=${QORUI_RESOURCE_CPP} -DIN_DIR=${CMAKE_SOURCE_DIR}/ui/resources
          "-DRESOURCES=${QORUI_RESOURCES}" -P ${CMAKE_SOURCE_DIR}/cmake/embed_resources.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/embed_resources.cmake
          ${CMAKE_SOURCE_DIR}/ui/resources/scroll_h.png ${CMAKE_SOURCE_DIR}/ui/resources/scroll_v.png
  COMMENT "Embedding QorUI resources" VERBATIM)
target_sources(qorui PRIVATE ${QORUI_RESOURCE_CPP})

# The demo dialog: for looking at the toolkit and for the desktop smoke test.
add_executable(qorui_demo ui/demo/demo_main.cpp ui/demo/demo_dialog.cpp)
target_include_directories(qorui_demo PRIVATE ${CMAKE_SOURCE_DIR}/ui)
target_link_libraries(qorui_demo PRIVATE qorui)
