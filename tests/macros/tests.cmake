# The clipboard adapter's test drives GTK itself.
target_link_libraries(test_macros PRIVATE PkgConfig::GTK3)
