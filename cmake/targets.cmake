# The shared library, the program's core, the simulator and the program.

tervane_sources(QORUI_SOURCES ui/framework ui/controls ui/platform)
add_library(qorui SHARED ${QORUI_SOURCES})
target_include_directories(qorui PUBLIC ${CMAKE_SOURCE_DIR}/ui/include PRIVATE ${CMAKE_SOURCE_DIR}/ui)
target_link_libraries(qorui PUBLIC PkgConfig::CAIRO PRIVATE PkgConfig::GTK3 Threads::Threads)
include(cmake/qorui.cmake)

tervane_sources(CORE_SOURCES app)
# The entry point and the start-up that joins the core with the simulator
# belong to the program alone.
list(FILTER CORE_SOURCES EXCLUDE REGEX "/app/(main|shell/application)\\.cpp$")
add_library(tervane_core STATIC ${CORE_SOURCES})
target_include_directories(tervane_core PUBLIC ${CMAKE_SOURCE_DIR}/app)
target_link_libraries(tervane_core PUBLIC qorui Threads::Threads
  PRIVATE PkgConfig::SQLITE3 PkgConfig::HIDAPI PkgConfig::UDEV PkgConfig::EVDEV
          PkgConfig::PULSE PkgConfig::CURL PkgConfig::MINIZIP PkgConfig::KISSFFT
          PkgConfig::X11 PkgConfig::GTK3 PkgConfig::APPINDICATOR)

tervane_sources(SIM_SOURCES sim)
if(SIM_SOURCES)
  add_library(sim STATIC ${SIM_SOURCES})
  target_include_directories(sim PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(sim PUBLIC tervane_core)
endif()

# The installed data set is copied next to the executable on every build, so
# the program finds config.xml, layouts, language files and skins in its folder.
add_custom_target(data_set ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/install -DDESTINATION=${TERVANE_BIN_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/copy_data_set.cmake
  COMMENT "Copying the installed data set")
# The rendered skin, keyboard pictures, icons and font join the data set.
include(cmake/skin.cmake)

add_executable(tervane app/main.cpp app/shell/application.cpp)
target_link_libraries(tervane PRIVATE tervane_core $<TARGET_NAME_IF_EXISTS:sim>)
add_dependencies(tervane data_set)
