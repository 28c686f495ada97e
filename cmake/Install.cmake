# What `cmake --install build --prefix P` puts where. The program finds its
# library and its archive relative to its own directory, so an install under
# any prefix runs without environment and from any working directory:
#   P/bin/mentarium
#   P/lib/mentarium/libmentarium.so           (the program's RUNPATH)
#   P/share/mentarium/Cogniquilt.bin
#   P/share/applications, icons/hicolor, metainfo, man/man6
set(MENTARIUM_APP_ID com.quillory.Mentarium)
set(MENTARIUM_LIB_SUBDIR lib/mentarium)
set(MENTARIUM_DATA_SUBDIR share/mentarium)
set(DESKTOP_SRC ${CMAKE_SOURCE_DIR}/content/desktop)
set(DESKTOP_OUT ${CMAKE_BINARY_DIR}/desktop)

if(TARGET mentarium_host)
  target_compile_definitions(mentarium_host PRIVATE
    MENTARIUM_LIB_SUBDIR="${MENTARIUM_LIB_SUBDIR}" MENTARIUM_DATA_SUBDIR="${MENTARIUM_DATA_SUBDIR}")
  set_target_properties(mentarium_host PROPERTIES INSTALL_RPATH "$ORIGIN/../${MENTARIUM_LIB_SUBDIR}")
  install(TARGETS mentarium_host RUNTIME DESTINATION bin)
endif()
if(TARGET mentarium)
  install(TARGETS mentarium LIBRARY DESTINATION ${MENTARIUM_LIB_SUBDIR})
endif()
if(TARGET mkarchive)
  install(FILES ${CMAKE_BINARY_DIR}/Cogniquilt.bin DESTINATION ${MENTARIUM_DATA_SUBDIR})
endif()

# The icon's bitmap sizes, all rendered from the one drawing.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(ICON_SVG ${DESKTOP_SRC}/mentarium-icon.svg)
set(ICON_PNGS "")
foreach(size 48 128 256)
  set(png ${DESKTOP_OUT}/icons/${size}x${size}/${MENTARIUM_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DESKTOP_OUT}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --format=png -w ${size} -h ${size} -o ${png} ${ICON_SVG}
    DEPENDS ${ICON_SVG}
    COMMENT "Rendering the ${size}x${size} icon" VERBATIM)
  list(APPEND ICON_PNGS ${png})
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${ICON_PNGS})

install(FILES ${ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps RENAME ${MENTARIUM_APP_ID}.svg)
install(FILES ${DESKTOP_SRC}/${MENTARIUM_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${DESKTOP_SRC}/${MENTARIUM_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${DESKTOP_SRC}/mentarium.6 DESTINATION share/man/man6)
