# The game tests drive the canvas without its threads; under ThreadSanitizer
# only those that take the sprite locks from two threads run (label "threads").
if(MENTARIUM_TSAN AND TARGET test_game)
  add_test(NAME game_threads COMMAND test_game --gtest_filter=*Threads*)
  set_tests_properties(game_threads PROPERTIES LABELS threads
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy")
  add_dependencies(threaded_tests test_game)
endif()
