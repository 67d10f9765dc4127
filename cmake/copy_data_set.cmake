# Copies the installed data set (install/) next to the executable, except the
# skin sources: only what they render belongs beside the program. Run with
# -DSOURCE=<install folder> -DDESTINATION=<bin folder>; file(COPY) skips files
# whose copy is already up to date.
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE} ${SOURCE}/*)
list(REMOVE_ITEM entries skins-src)
foreach(entry IN LISTS entries)
  file(COPY ${SOURCE}/${entry} DESTINATION ${DESTINATION})
endforeach()
