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

# The desktop files, as the content build leaves them in build/desktop.
foreach(size 48 128 256)
  install(FILES ${DESKTOP_OUT}/icons/${size}x${size}/mentarium-icon.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${MENTARIUM_APP_ID}.png)
endforeach()
install(FILES ${DESKTOP_OUT}/mentarium-icon.svg DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${MENTARIUM_APP_ID}.svg)
install(FILES ${DESKTOP_OUT}/${MENTARIUM_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${DESKTOP_OUT}/${MENTARIUM_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${DESKTOP_OUT}/mentarium.6 DESTINATION share/man/man6)
