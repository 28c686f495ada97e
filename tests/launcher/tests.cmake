# The host program is not part of the core library: its tests compile the pieces they test.
if(TARGET test_launcher)
  target_sources(test_launcher PRIVATE ${CMAKE_SOURCE_DIR}/src/launcher/Script.cpp
                                       ${CMAKE_SOURCE_DIR}/src/launcher/DataSearch.cpp
                                       ${CMAKE_SOURCE_DIR}/src/launcher/Description.cpp
                                       ${CMAKE_SOURCE_DIR}/src/launcher/GamePlayers.cpp
                                       ${CMAKE_SOURCE_DIR}/src/launcher/Bot.cpp
                                       ${CMAKE_SOURCE_DIR}/src/launcher/Browser.cpp

                                       ${CMAKE_SOURCE_DIR}/src/launcher/EventWaiter.cpp)
  if(TARGET mentarium_host)
    add_dependencies(test_launcher mentarium_host mentarium)
  endif()
  # The install test installs this build into a temporary prefix.
  add_dependencies(test_launcher content)
  target_compile_definitions(test_launcher PRIVATE MENTARIUM_CMAKE_COMMAND="${CMAKE_COMMAND}")
endif()
