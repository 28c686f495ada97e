# The golden pictures once more with the SIMD row loops of the blits off: the
# plain loops must draw them the same, to the bit.
add_test(NAME GoldenPicturesWithoutSimd COMMAND test_sprite --gtest_filter=GoldenTest.*)
set_tests_properties(GoldenPicturesWithoutSimd PROPERTIES
  ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;MENTARIUM_NO_SIMD=1")
