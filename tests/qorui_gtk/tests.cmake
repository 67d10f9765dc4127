# The GTK host's desktop smoke test: the demo dialog under a private Xvfb.
add_test(NAME QorUIGtk.Smoke COMMAND bash ${CMAKE_SOURCE_DIR}/tests/qorui_gtk/gtk_smoke.sh
                                       $<TARGET_FILE:qorui_demo>)
set_tests_properties(QorUIGtk.Smoke PROPERTIES TIMEOUT 60 SKIP_RETURN_CODE 77)
