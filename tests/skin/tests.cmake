# Further checks of the skin beyond test_skin: the contact sheet is written,
# keyboard pictures are drawn from a layout (and a broken one is refused with
# a message naming the key), and the desktop files pass their validators.

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)

add_test(NAME skin.contact_sheet
  COMMAND ${SKIN_PYTHON} -B ${SKIN_TOOL} sheet --stamps ${SKIN_STAMPS} --bin-dir ${TERVANE_BIN_DIR}
          --out ${CMAKE_BINARY_DIR}/skin/contact_sheet_test.png --rsvg ${RSVG_CONVERT})
add_test(NAME skin.keyboard_picture_from_layout
  COMMAND ${SKIN_PYTHON} -B ${SKIN_TOOL} keyboard --manifest ${SKIN_MANIFEST}
          --layout ${TERVANE_TEST_DATA_DIR}/skin/layouts/sample_tkl.xml
          --out ${CMAKE_BINARY_DIR}/skin/sample_tkl.png --rsvg ${RSVG_CONVERT})
add_test(NAME skin.keyboard_picture_refuses_a_broken_rect
  COMMAND ${SKIN_PYTHON} -B ${SKIN_TOOL} keyboard --manifest ${SKIN_MANIFEST}
          --layout ${TERVANE_TEST_DATA_DIR}/skin/bad_layout/broken_rect.xml
          --out ${CMAKE_BINARY_DIR}/skin/broken.png --rsvg ${RSVG_CONVERT})
set_tests_properties(skin.keyboard_picture_refuses_a_broken_rect PROPERTIES
  PASS_REGULAR_EXPRESSION "key \"Esc\" has a rect that is not x#y#w#h")
add_test(NAME skin.desktop_entry_is_valid
  COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/install/desktop/org.tervane.Tervane.desktop)
add_test(NAME skin.metainfo_is_valid
  COMMAND ${APPSTREAMCLI} validate --no-net ${CMAKE_SOURCE_DIR}/install/desktop/org.tervane.Tervane.metainfo.xml)
