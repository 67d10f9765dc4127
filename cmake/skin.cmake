# The skin and the rest of the drawn data set: every image of skins/theme1/
# (from install/skins-src/theme1.toml), one keyboard picture per layout file,
# the program icon in its sizes, and the font. Each image has its own rule and
# stamp, so a build renders again only the images whose sources changed.

# Debian's interpreter first: it starts faster than wrappers found on PATH.
find_program(SKIN_PYTHON NAMES python3 HINTS /usr/bin REQUIRED)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
# The versioned name is Debian's ImageMagick itself, never a wrapper of it.
find_program(IMAGEMAGICK_CONVERT NAMES convert-im6.q16 convert REQUIRED)

set(SKIN_SOURCE_DIR ${CMAKE_SOURCE_DIR}/install/skins-src)
set(SKIN_MANIFEST ${SKIN_SOURCE_DIR}/theme1.toml)
set(SKIN_TOOL ${CMAKE_SOURCE_DIR}/tools/skin/skin.py)
set(SKIN_STAMPS ${CMAKE_BINARY_DIR}/skin/stamps)
set(SKIN_RULES ${CMAKE_BINARY_DIR}/skin/skin_rules.cmake)
file(GLOB SKIN_TOOL_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/skin/*.py)
file(GLOB SKIN_LAYOUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/install/layouts/*.xml)

# The plan names the images, so a change of the manifest or of a layout file
# (a new picture name) configures again; the plan keeps unchanged stamps as
# they are.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${SKIN_MANIFEST} ${SKIN_LAYOUTS} ${SKIN_TOOL_FILES})
execute_process(
  COMMAND ${SKIN_PYTHON} -B ${SKIN_TOOL} plan --manifest ${SKIN_MANIFEST}
          --layouts ${CMAKE_SOURCE_DIR}/install/layouts --stamps ${SKIN_STAMPS} --rules ${SKIN_RULES}
  RESULT_VARIABLE skin_plan_result
  ERROR_VARIABLE skin_plan_error)
if(NOT skin_plan_result EQUAL 0)
  message(FATAL_ERROR "The skin cannot be planned: ${skin_plan_error}")
elseif(skin_plan_error)
  message(WARNING "${skin_plan_error}")
endif()
include(${SKIN_RULES})

# font/Arial.ttf is Liberation Sans (metric-compatible with Arial), with its licence.
set(SKIN_FONT_SOURCE /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf)
set(SKIN_FONT_LICENCE /usr/share/doc/fonts-liberation2/copyright)
if(NOT EXISTS ${SKIN_FONT_SOURCE} OR NOT EXISTS ${SKIN_FONT_LICENCE})
  message(FATAL_ERROR "Liberation Sans is missing: run scripts/bootstrap (package fonts-liberation2)")
endif()
add_custom_command(OUTPUT ${TERVANE_BIN_DIR}/font/Arial.ttf ${TERVANE_BIN_DIR}/font/LICENSE-LiberationSans.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TERVANE_BIN_DIR}/font
  COMMAND ${CMAKE_COMMAND} -E copy ${SKIN_FONT_SOURCE} ${TERVANE_BIN_DIR}/font/Arial.ttf
  COMMAND ${CMAKE_COMMAND} -E copy ${SKIN_FONT_LICENCE} ${TERVANE_BIN_DIR}/font/LICENSE-LiberationSans.txt
  DEPENDS ${SKIN_FONT_SOURCE} ${SKIN_FONT_LICENCE}
  COMMENT "Copying the font" VERBATIM)

add_custom_target(skin ALL DEPENDS ${SKIN_OUTPUTS}
  ${TERVANE_BIN_DIR}/font/Arial.ttf ${TERVANE_BIN_DIR}/font/LICENSE-LiberationSans.txt)
add_dependencies(data_set skin)

# One picture of every image with its frames and name, for review.
set(SKIN_SHEET ${CMAKE_BINARY_DIR}/skin/contact_sheet.png)
add_custom_command(OUTPUT ${SKIN_SHEET}
  COMMAND ${SKIN_PYTHON} -B ${SKIN_TOOL} sheet --stamps ${SKIN_STAMPS} --bin-dir ${TERVANE_BIN_DIR}
          --out ${SKIN_SHEET} --rsvg ${RSVG_CONVERT}
  DEPENDS ${SKIN_OUTPUTS} ${SKIN_TOOL_FILES}
  COMMENT "Writing the skin contact sheet ${SKIN_SHEET}" VERBATIM)
add_custom_target(skin_sheet DEPENDS ${SKIN_SHEET})
