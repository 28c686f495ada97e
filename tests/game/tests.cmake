# The game tests drive the canvas without its threads. Under ThreadSanitizer
# only the few that run two threads (*ThreadsTest.cpp) are built, as a program
# of their own, and run with the label "threads".
if(MENTARIUM_TSAN)
  file(GLOB game_thread_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*ThreadsTest.cpp)
  add_executable(test_game_threads ${game_thread_tests})
  target_include_directories(test_game_threads PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_game_threads PRIVATE mentarium_core_all GTest::gtest GTest::gtest_main)
  gtest_discover_tests(test_game_threads DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS threads ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy")
  add_dependencies(threaded_tests test_game_threads)
endif()
